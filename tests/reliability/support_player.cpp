#include "support_player.h"

#include "net/field_reader.h"
#include "net/message.h"

namespace {

std::optional<int> field(FieldReader& f)
{
    return f.remainder().contains('+') ? f.nextInt() : f.lastInt();
}

} // namespace

bool Player::matches(int x, int y) const
{
    const int cell = m_board[size_t(x)][size_t(y)];
    return cell != 0 && (cell == m_tile || m_tile == 6);
}

QByteArray Player::pickMessage(int x, int y) const
{
    return "CMD_selecttile+" + QByteArray::number(slot) + '+' + QByteArray::number(x) + '+' + QByteArray::number(y);
}

Player::Pick Player::pick()
{
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            if (matches(x, y))
                return pickAt(x, y);
    return Pick::NothingToPick;
}

Player::Pick Player::pickAt(int x, int y)
{
    send(pickMessage(x, y));
    const QByteArray reply = nextOf({"CMD_removetile", "CMD_error"});
    if (reply.isEmpty())
        return Pick::NoReply;
    if (reply.startsWith("CMD_error"))
        return Pick::Refused;
    // The move is complete once the next draw or the end of the board arrives.
    const QByteArray after = nextOf({"CMD_setnntile", "CMD_turnover"});
    if (after.isEmpty())
        return Pick::NoReply;
    return after.startsWith("CMD_turnover") ? Pick::Cleared : Pick::Taken;
}

bool Player::awaitDeal(int timeoutMs)
{
    return !nextOf("CMD_setnntile", timeoutMs).isEmpty();
}

int Player::tilesLeft() const
{
    int left = 0;
    for (const auto& column : m_board)
        for (int cell : column)
            left += cell != 0;
    return left;
}

void Player::newDeal(const QByteArray& list)
{
    FieldReader f(list.mid(1));
    m_board = {};
    while (!f.atEnd()) {
        const auto x = field(f), y = field(f), code = field(f);
        if (!x || !y || !code || *x < 0 || *x > 5 || *y < 0 || *y > 5)
            return;
        m_board[size_t(*x)][size_t(*y)] = *code;
    }
    m_bonus = {};
    m_banked = m_trail = m_chain = 0;
    m_firstPick = true;
    m_quietBomb = false;
}

void Player::removed(FieldReader& f)
{
    f.next(); // slot
    const auto x = f.nextInt(), y = f.nextInt(), chain = f.nextInt(), trail = f.nextInt();
    if (!x || !y || !chain || !trail || *x < 0 || *x > 5 || *y < 0 || *y > 5)
        return;
    m_board[size_t(*x)][size_t(*y)] = 0;
    // A move reported with chain 1 began a new trail: the old one was banked.
    if (!m_firstPick && *chain == 1)
        m_banked += m_trail;
    m_firstPick = false;
    m_trail = *trail;
    m_chain = *chain == 0 ? 1 : *chain;
    int& bonus = m_bonus[size_t(*x)][size_t(*y)];
    m_quietBomb = bonus == 2;
    if (bonus == 2)
        bonus = 1; // a spent bomb carries the trail on
    else if (bonus == 3 || bonus == 4)
        bonus = 0;
}

void Player::bombed(FieldReader& f)
{
    f.next(); // slot
    f.next(); // chain
    const auto trail = f.nextInt();
    f.next(); // points of the last step
    if (!trail || !field(f))
        return;
    m_trail = *trail;
    m_quietBomb = false;
    while (!f.atEnd()) {
        const auto x = field(f), y = field(f);
        if (!x || !y || *x < 0 || *x > 5 || *y < 0 || *y > 5)
            break;
        m_board[size_t(*x)][size_t(*y)] = 0;
    }
}

void Player::drawn()
{
    // A bomb whose neighbours were already gone clears nothing and sends no
    // CMD_bombed, yet adds its chain once more to the trail.
    if (m_quietBomb)
        m_trail += m_chain * 10;
    m_quietBomb = false;
}

void Player::seen(const QByteArray& message)
{
    const CommandLine line = CommandLine::parse(message);
    FieldReader f(line.payload);
    if (line.command == "CMD_settiles") {
        newDeal(message.mid(line.command.size()));
    } else if (line.command == "CMD_setbonus") {
        FieldReader b(message.mid(line.command.size() + 1));
        while (!b.atEnd()) {
            const auto x = field(b), y = field(b), code = field(b);
            if (!x || !y || !code || *x < 0 || *x > 5 || *y < 0 || *y > 5)
                break;
            m_bonus[size_t(*x)][size_t(*y)] = *code;
        }
    } else if (line.command == "CMD_setnexttile") {
        drawn();
        m_tile = f.nextInt().value_or(0);
    } else if (line.command == "CMD_removetile") {
        removed(f);
    } else if (line.command == "CMD_bombed") {
        bombed(f);
    } else if (line.command == "CMD_turnover") {
        drawn();
        f.next(); // slot
        f.next(); // round result or next tile
        m_total = f.nextInt().value_or(m_total);
    }
}
