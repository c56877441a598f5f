#include "support_bench.h"

#include "net/message.h"

QList<QByteArray> RecordingOutbox::to(int slot, const QList<QByteArray>& commands) const
{
    QList<QByteArray> out;
    for (const auto& [to, message] : sent)
        if (to == slot && (commands.isEmpty() || commands.contains(CommandLine::parse(message).command)))
            out.append(message);
    return out;
}

QStringList RecordingOutbox::order() const
{
    QStringList out;
    for (const auto& [to, message] : sent)
        out.append(QString::number(to) + ':' + QString::fromUtf8(CommandLine::parse(message).command));
    return out;
}

RandomScope::RandomScope(quint32 seed) : m_generator(seed)
{
    // Not owned by the shared pointer: the scope outlives its installation.
    GameRandom::install(std::shared_ptr<RandomSource>(this, [](RandomSource*) {}));
}

RandomScope::~RandomScope()
{
    GameRandom::install(nullptr);
}

int RandomScope::random(int n)
{
    auto queue = queued.find(n);
    if (queue != queued.end() && !queue->isEmpty())
        return queue->takeFirst();
    return n <= 0 ? 0 : int(m_generator.bounded(quint32(n)));
}

namespace {
Grid gridFrom(const QStringList& rows, QStringView codes)
{
    Grid grid{};
    for (int y = 0; y < rows.size() && y < 6; ++y)
        for (int x = 0; x < rows[y].size() && x < 6; ++x)
            grid[x][y] = int(qMax<qsizetype>(0, codes.indexOf(rows[y][x])));
    return grid;
}
} // namespace

Grid tilesFrom(const QStringList& rows)
{
    return gridFrom(rows, u".123456");
}
Grid bonusFrom(const QStringList& rows)
{
    return gridFrom(rows, u".TBDX");
}

Bench::Bench(QList<int> connectedSlots, int mode)
{
    table.Timer1().setRealTime(false);
    game.gamemode = GameModes::fromCode(mode);
    for (int slot : connectedSlots) {
        game.players[slot].connected = true;
        game.players[slot].loggedin = true;
        game.players[slot].name = "P" + QByteArray::number(slot);
        game.players.slotcount = qMax(game.players.slotcount, slot);
    }
}

void Bench::setup(const QStringList& board, const QStringList& bonus, int tile)
{
    game.gamerunning = true;
    table.Timer1().Tag = RoundPhase::InPlay;
    game.tilesequence.fill(tile);
    tplayer& p = seat();
    p.board = tilesFrom(board);
    p.bonus = bonusFrom(bonus);
    p.tile = p.nexttile = tile;
    p.tileindex = 1;
}

void Bench::tick(int times)
{
    for (int i = 0; i < times; ++i)
        table.Timer1Timer();
}

bool Bench::pickAny(int slot)
{
    const tplayer& p = game.players[slot];
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y) {
            const int cell = p.board[x][y];
            const bool wild = game.gamemode == GameMode::Classic ? cell == Tile::Wild : p.tile == Tile::Wild;
            if (cell != Tile::Empty && (cell == p.tile || wild)) {
                table.selecttile(slot, x, y);
                return true;
            }
        }
    return false;
}

void Bench::clearBoard(int slot)
{
    tplayer& p = game.players[slot];
    p.board = Grid{};
    p.board[0][0] = p.tile == Tile::Wild ? 1 : p.tile;
    p.bonus[0][0] = Bonus::None;
    pickAny(slot);
}
