#include "seat_check.h"

#include "net/field_reader.h"
#include "net/message.h"

#include <QSet>
#include <optional>

namespace {

const QSet<QByteArray> ServerCommands{"CMD_full",
                                      "CMD_sendlogininfo",
                                      "CMD_newplayerinfo",
                                      "CMD_existingplayers",
                                      "CMD_havewrongversion",
                                      "CMD_wrongversion",
                                      "CMD_loadstats",
                                      "CMD_playerdisconnected",
                                      "CMD_chat",
                                      "CMD_action",
                                      "CMD_phrase",
                                      "CMD_playasound",
                                      "CMD_startgame",
                                      "CMD_nextplayer",
                                      "CMD_settiles",
                                      "CMD_setbonus",
                                      "CMD_setnexttile",
                                      "CMD_setnntile",
                                      "CMD_removetile",
                                      "CMD_bombed",
                                      "CMD_error",
                                      "CMD_turnover",
                                      "CMD_postscores",
                                      "CMD_resettiles",
                                      "CMD_resetbonus",
                                      "CMD_thepath",
                                      "CMD_justwatching",
                                      "CMD_winner"};

// Every field of a payload as an integer; nullopt if any is not one. Lists
// start with "+", so a leading empty field is skipped.
std::optional<QList<int>> integers(QByteArray payload)
{
    if (payload.startsWith('+'))
        payload.remove(0, 1);
    QList<int> values;
    for (const QByteArray& field : payload.split('+')) {
        const auto value = FieldReader::toInt(field);
        if (!value)
            return std::nullopt;
        values.append(*value);
    }
    return values;
}

bool onBoard(int x, int y)
{
    return x >= 0 && x < 6 && y >= 0 && y < 6;
}

} // namespace

void SeatCheck::reset()
{
    m_slot = 0;
    m_mode = 1;
    m_total = m_banked = m_trail = m_chain = 0;
    m_firstPick = true;
    m_quietBomb = false;
}

void SeatCheck::mismatch(const QString& what)
{
    if (m_mismatches.size() < 50)
        m_mismatches.append(QStringLiteral("slot %1: %2").arg(m_slot).arg(what));
}

void SeatCheck::malformed(const QByteArray& message)
{
    ++m_protocolErrors;
    mismatch(QStringLiteral("malformed message %1").arg(QString::fromUtf8(message.left(80))));
}

void SeatCheck::take(const QByteArray& message)
{
    const CommandLine line = CommandLine::parse(message);
    const QByteArray& command = line.command;
    if (!ServerCommands.contains(command))
        return malformed(message);
    if (command == "CMD_startgame" || command == "CMD_loadstats")
        return gameMode(message, command == "CMD_startgame" ? 3 : 2);
    if (command == "CMD_settiles")
        return settiles(message.mid(command.size()));
    if (command == "CMD_setbonus")
        return setbonus(message.mid(command.size()));
    // Messages whose payload is numbers only.
    static const QSet<QByteArray> numeric{"CMD_sendlogininfo", "CMD_setnexttile", "CMD_setnntile", "CMD_removetile",
                                          "CMD_bombed",        "CMD_error",       "CMD_turnover",  "CMD_postscores",
                                          "CMD_nextplayer",    "CMD_justwatching"};
    if (!numeric.contains(command))
        return;
    const auto f = integers(command == "CMD_postscores" ? message.mid(command.size()) : line.payload);
    if (!f)
        return malformed(message);
    numbers(command, *f);
}

void SeatCheck::gameMode(const QByteArray& message, int fromRight)
{
    // "name+mode+rounds+" or "mode+"; the name may hold "+", so read from the right.
    const QList<QByteArray> f = CommandLine::parse(message).payload.split('+');
    const auto mode = FieldReader::toInt(f.value(f.size() - fromRight));
    if (!mode || (*mode != 1 && *mode != 2))
        return malformed(message);
    m_mode = *mode;
}

void SeatCheck::numbers(const QByteArray& command, const QList<int>& f)
{
    if (command == "CMD_sendlogininfo" && f.size() == 1)
        m_slot = f[0];
    else if (command == "CMD_setnexttile" || command == "CMD_turnover")
        settleQuietBomb();
    if (command == "CMD_removetile")
        removetile(f);
    else if (command == "CMD_bombed")
        bombed(f);
    else if (command == "CMD_error")
        ++m_refused;
    else if (command == "CMD_turnover")
        turnover(f);
    else if (command == "CMD_postscores")
        postscores(f);
}

void SeatCheck::settiles(const QByteArray& list)
{
    const auto f = integers(list);
    if (!f || f->size() != 36 * 3) {
        ++m_protocolErrors;
        return mismatch(QStringLiteral("a deal of %1 fields").arg(f ? f->size() : -1));
    }
    m_bonus = {};
    m_banked = m_trail = m_chain = 0;
    m_firstPick = true;
    m_quietBomb = false;
}

void SeatCheck::setbonus(const QByteArray& list)
{
    const auto f = integers(list);
    if (!f || f->size() % 3 != 0 || f->size() > 27) {
        ++m_protocolErrors;
        return mismatch(QStringLiteral("a bonus layer of %1 fields").arg(f ? f->size() : -1));
    }
    for (qsizetype i = 0; i + 2 < f->size(); i += 3)
        if (onBoard(f->at(i), f->at(i + 1)))
            m_bonus[size_t(f->at(i))][size_t(f->at(i + 1))] = f->at(i + 2);
}

void SeatCheck::removetile(const QList<int>& f)
{
    if (f.size() != 7 || f[0] != m_slot || !onBoard(f[1], f[2]))
        return malformed("CMD_removetile");
    ++m_accepted;
    const int chain = f[3];
    // A move reported with chain 1 began a new trail: the old one was banked.
    if (!m_firstPick && chain == 1)
        m_banked += m_trail;
    m_firstPick = false;
    m_trail = f[4];
    int& bonus = m_bonus[size_t(f[1])][size_t(f[2])];
    m_quietBomb = bonus == 2 && m_mode == 1;
    m_chain = chain == 0 ? 1 : chain;
    if (bonus == 2)
        bonus = 1; // a spent bomb carries the trail on
    else if (bonus == 3 || bonus == 4)
        bonus = 0;
}

void SeatCheck::bombed(const QList<int>& f)
{
    if (f.size() < 7 || f[0] != m_slot || (f.size() - 5) % 2 != 0)
        return malformed("CMD_bombed");
    m_quietBomb = false;
    m_trail = f[2];
}

void SeatCheck::settleQuietBomb()
{
    if (m_quietBomb)
        m_trail += m_chain * 10;
    m_quietBomb = false;
}

void SeatCheck::turnover(const QList<int>& f)
{
    if (f.size() != 4 || f[0] != m_slot || (f[3] != 2 && f[3] != 3))
        return malformed("CMD_turnover");
    if (f[3] == 3 && m_mode == 1 && f[1] != m_banked + m_trail)
        mismatch(QStringLiteral("round result %1, the seat added up %2").arg(f[1]).arg(m_banked + m_trail));
}

void SeatCheck::postscores(const QList<int>& f)
{
    if (f.isEmpty() || f.size() % 3 != 0 || f.size() > 18)
        return malformed("CMD_postscores");
    for (qsizetype i = 0; i < f.size(); i += 3) {
        if (f[i] != i / 3 + 1)
            return malformed("CMD_postscores");
        if (f[i] != m_slot)
            continue;
        if (m_mode == 1 && f[i + 2] != m_banked + m_trail)
            mismatch(
                QStringLiteral("posted round result %1, the seat added up %2").arg(f[i + 2]).arg(m_banked + m_trail));
        m_total = f[i + 1];
    }
}
