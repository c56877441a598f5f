#include "support_referee.h"

#include "net/field_reader.h"
#include "net/message.h"

namespace {
bool scored(const QByteArray& command)
{
    return command == "CMD_removetile" || command == "CMD_bombed" || command == "CMD_error";
}
} // namespace

Referee::Referee() : Outbox(m_game.players), m_standard(m_game, *this, [](int) {}), m_classic(m_game, *this, [](int) {})
{
}

TileRules& Referee::rules()
{
    if (m_game.gamemode == GameMode::Classic)
        return m_classic;
    return m_standard;
}

void Referee::deliver(int slot, const QByteArray& message)
{
    const QByteArray line = message.chopped(1); // without the terminator
    if (slot == m_slot && scored(CommandLine::parse(line).command))
        m_expected.push_back(line);
}

void Referee::read(const QByteArray& message)
{
    const CommandLine line = CommandLine::parse(message);
    FieldReader f(line.payload);
    tplayer& p = m_game.players[m_slot == 0 ? 1 : m_slot];
    if (line.command == "CMD_sendlogininfo") {
        m_slot = f.lastInt().value_or(0);
        if (Table::isSeat(m_slot))
            m_game.players[m_slot].connected = true;
    } else if (line.command == "CMD_startgame") {
        f.next();
        m_game.gamemode = GameModes::fromCode(f.nextInt().value_or(1));
        p.total = 0;
        p.bombx = p.bomby = 100;
    } else if (line.command == "CMD_settiles" || line.command == "CMD_setbonus") {
        deal(line.payload, line.command == "CMD_setbonus");
    } else if (line.command == "CMD_setnexttile") {
        p.tile = f.nextInt().value_or(0);
        p.nexttile = f.lastInt().value_or(0);
    } else if (line.command == "CMD_postscores") {
        while (const auto slot = f.nextInt()) {
            const auto total = f.nextInt();
            f.next();
            if (*slot == m_slot && total)
                p.total = *total;
        }
    } else if (scored(line.command)) {
        answer(message);
    }
}

void Referee::deal(const QByteArray& list, bool bonus)
{
    if (!Table::isSeat(m_slot))
        return;
    tplayer& p = m_game.players[m_slot];
    if (!bonus) {
        // A new round: what the seat played before is over, answered or not.
        m_expected.clear();
        p.board = Grid{};
        p.bonus = Grid{};
        p.chain = p.trailscore = p.banked = p.lastpoints = p.movecount = 0;
        p.lastx = p.lasty = -1;
    }
    FieldReader f(list);
    for (;;) {
        const auto x = f.nextInt();
        const auto y = f.nextInt();
        const auto code = f.last();
        if (!x || !y || code.isEmpty() || !Table::onBoard(*x, *y))
            return;
        (bonus ? p.bonus : p.board)[size_t(*x)][size_t(*y)] = code.toInt();
    }
}

void Referee::picked(QPoint cell)
{
    if (Table::isSeat(m_slot))
        rules().selecttile(m_slot, cell.x(), cell.y());
}

void Referee::answer(const QByteArray& message)
{
    ++m_checked;
    if (m_expected.empty()) {
        m_mismatches << QStringLiteral("slot %1: unexpected %2").arg(m_slot).arg(QString::fromUtf8(message));
        return;
    }
    const QByteArray expected = m_expected.front();
    m_expected.pop_front();
    if (expected != message && m_mismatches.size() < 20)
        m_mismatches << QStringLiteral("slot %1: got %2, a hosting copy sends %3")
                            .arg(m_slot)
                            .arg(QString::fromUtf8(message), QString::fromUtf8(expected));
}
