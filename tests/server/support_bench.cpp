#include "support_bench.h"

#include "net/message.h"

QList<QByteArray> RecordingOutbox::to(int slot) const
{
    QList<QByteArray> out;
    for (const Sent& s : sent)
        if (s.slot == slot)
            out.append(s.message);
    return out;
}

QList<QByteArray> RecordingOutbox::to(int slot, const QList<QByteArray>& commands) const
{
    QList<QByteArray> out;
    for (const QByteArray& message : to(slot))
        if (commands.contains(CommandLine::parse(message).command))
            out.append(message);
    return out;
}

QStringList RecordingOutbox::log() const
{
    QStringList out;
    for (const Sent& s : sent)
        out.append(QString::number(s.slot) + ':' + QString::fromUtf8(s.message));
    return out;
}

void RecordingOutbox::deliver(int slot, const QByteArray& message)
{
    sent.append({slot, message.chopped(1)});
}

int ScriptedRandom::random(int n)
{
    auto queue = queued.find(n);
    if (queue != queued.end() && !queue->isEmpty())
        return queue->takeFirst();
    const auto it = fixed.constFind(n);
    if (it != fixed.constEnd())
        return *it;
    return n <= 0 ? 0 : int(m_generator.bounded(quint32(n)));
}

namespace {
Grid gridFrom(const QStringList& rows, const QString& codes)
{
    Grid grid{};
    for (int y = 0; y < rows.size() && y < Table::BoardSize; ++y)
        for (int x = 0; x < rows[y].size() && x < Table::BoardSize; ++x)
            grid[x][y] = qMax(0, int(codes.indexOf(rows[y][x])));
    return grid;
}
} // namespace

Grid boardFrom(const QStringList& rows)
{
    return gridFrom(rows, QStringLiteral(".123456"));
}

Grid bonusFrom(const QStringList& rows)
{
    return gridFrom(rows, QStringLiteral(".TBDX"));
}

RulesBench::RulesBench(QList<int> connectedSlots)
{
    for (int slot : connectedSlots) {
        game.players[slot].connected = true;
        game.players[slot].name = "P" + QByteArray::number(slot);
        game.players.slotcount = qMax(game.players.slotcount, slot);
    }
}

void RulesBench::setup(const QStringList& board, const QStringList& bonus, int tile, int slot)
{
    tplayer& p = seat(slot);
    p.board = boardFrom(board);
    p.bonus = bonusFrom(bonus);
    game.tilesequence.fill(tile);
    p.tile = tile;
    p.nexttile = tile;
    p.tileindex = 1;
    p.lastx = p.lasty = -1;
    p.chain = p.trailscore = p.banked = p.lastpoints = p.movecount = 0;
}

QList<QByteArray> RulesBench::moves(int slot) const
{
    return out.to(slot, {"CMD_removetile", "CMD_bombed", "CMD_error"});
}

TableBench::TableBench(QList<int> connectedSlots)
{
    table.Timer1().setRealTime(false);
    for (int slot : connectedSlots) {
        game.players[slot].connected = true;
        game.players[slot].name = "P" + QByteArray::number(slot);
        game.players.slotcount = qMax(game.players.slotcount, slot);
    }
}

void TableBench::tick(int times)
{
    for (int i = 0; i < times; ++i)
        table.Timer1Timer();
}

bool TableBench::pickAny(int slot)
{
    const tplayer& p = game.players[slot];
    for (int x = 0; x < Table::BoardSize; ++x)
        for (int y = 0; y < Table::BoardSize; ++y) {
            const int cell = p.board[x][y];
            const bool match = game.gamemode == 2 ? (cell == p.tile || cell == Tile::Wild)
                                                  : (cell == p.tile || p.tile == Tile::Wild);
            if (cell != Tile::Empty && match) {
                table.selecttile(slot, x, y);
                return true;
            }
        }
    return false;
}

void TableBench::leaveOneTile(int slot)
{
    tplayer& p = game.players[slot];
    p.board = Grid{};
    p.board[0][0] = p.tile == Tile::Wild ? 1 : p.tile;
    p.bonus[0][0] = Bonus::None;
}
