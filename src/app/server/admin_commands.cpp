#include "admin_commands.h"
#include "ban_file.h"
#include "event_log.h"

#include "server/server.h"

#include <QHostAddress>

namespace {
QString term(const QDateTime& until)
{
    return until.isValid() ? QStringLiteral("until ") + until.toString(Qt::ISODate) : QStringLiteral("for good");
}

// Splits "ban Bob 30" into the name and the minutes; nullopt minutes when the
// last word is no number. A name of its own that ends in a number ("Bob 2")
// is taken whole by the caller first.
std::pair<QString, std::optional<int>> nameAndMinutes(const QString& arguments)
{
    const qsizetype blank = arguments.lastIndexOf(QLatin1Char(' '));
    if (blank <= 0)
        return {arguments, std::nullopt};
    bool number = false;
    const int minutes = arguments.mid(blank + 1).toInt(&number);
    if (!number)
        return {arguments, std::nullopt};
    return {arguments.left(blank).trimmed(), minutes};
}
} // namespace

QStringList AdminCommands::run(const QString& line)
{
    const QString text = line.trimmed();
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QString word = text.left(blank).toLower();
    const QString rest = blank < 0 ? QString() : text.mid(blank + 1).trimmed();
    if (word == QLatin1String("list") && rest.isEmpty())
        return list();
    if (word == QLatin1String("bans") && rest.isEmpty())
        return bans();
    const bool needsText = word == QLatin1String("kick") || word == QLatin1String("ban")
        || word == QLatin1String("unban") || word == QLatin1String("say");
    if (needsText && rest.isEmpty())
        return {QStringLiteral("error %1 needs %2").arg(word, word == QLatin1String("say") ? "a text" : "a name")};
    if (word == QLatin1String("kick"))
        return kick(rest);
    if (word == QLatin1String("ban"))
        return ban(rest);
    if (word == QLatin1String("unban"))
        return unban(rest);
    if (word == QLatin1String("say"))
        return say(rest);
    return {QStringLiteral("error unknown command")};
}

QStringList AdminCommands::list() const
{
    const PlayerTable& players = m_server.game().players;
    QStringList rows;
    for (int slot = 1; slot <= players.slotcount; ++slot) {
        if (!players.connected(slot))
            continue;
        const tplayer& p = players[slot];
        const bool seated = Table::isSeat(slot) && !p.watching;
        rows << QStringLiteral("%1\t%2\t%3\t%4\t%5")
                    .arg(slot)
                    .arg(p.loggedin ? QString::fromUtf8(p.name) : QStringLiteral("(logging in)"))
                    .arg(m_server.address(slot))
                    .arg(seated ? QStringLiteral("seated") : QStringLiteral("watching"))
                    .arg(p.total);
    }
    rows.prepend(QStringLiteral("ok %1 connected").arg(rows.size()));
    return rows;
}

int AdminCommands::slotNamed(const QString& name) const
{
    const PlayerTable& players = m_server.game().players;
    for (int slot = 1; slot <= players.slotcount; ++slot)
        if (players.loggedin(slot) && QString::fromUtf8(players[slot].name).compare(name, Qt::CaseInsensitive) == 0)
            return slot;
    return 0;
}

QStringList AdminCommands::kick(const QString& name)
{
    const int slot = slotNamed(name);
    if (slot == 0)
        return {QStringLiteral("error no player named %1").arg(name)};
    const QString seatName = QString::fromUtf8(m_server.game().players[slot].name);
    m_log.line(QStringLiteral("admin kick %1").arg(EventLog::printable(seatName)));
    m_server.kick(slot, QStringLiteral("kicked by the operator"));
    return {QStringLiteral("ok kicked %1").arg(seatName)};
}

QStringList AdminCommands::ban(const QString& arguments)
{
    auto [name, minutes] =
        slotNamed(arguments) != 0 ? std::pair(arguments, std::optional<int>()) : nameAndMinutes(arguments);
    if (minutes && (*minutes < 1 || *minutes > MaxMinutes))
        return {QStringLiteral("error minutes must be from 1 to %1").arg(MaxMinutes)};
    const QDateTime until = minutes ? QDateTime::currentDateTimeUtc().addSecs(qint64(*minutes) * 60) : QDateTime();
    const int slot = slotNamed(name);
    QStringList keys{slot ? QString::fromUtf8(m_server.game().players[slot].name) : name};
    // Loopback is the bots' way in and the operator's own: banning it would
    // shut them all out, so a player there is banned by name alone.
    const QHostAddress from(m_server.address(slot));
    if (slot && !from.isNull() && !from.isLoopback())
        keys << m_server.address(slot);
    for (const QString& key : keys)
        m_bans.list().add(key, until);
    m_log.line(
        QStringLiteral("admin ban %1 %2").arg(EventLog::printable(keys.join(QStringLiteral(" and "))), term(until)));
    if (slot)
        m_server.kick(slot, QStringLiteral("banned by the operator"));
    return saved(QStringLiteral("banned %1 %2").arg(keys.join(QStringLiteral(" and ")), term(until)));
}

QStringList AdminCommands::unban(const QString& key)
{
    if (!m_bans.list().remove(key))
        return {QStringLiteral("error no ban for %1").arg(key)};
    m_log.line(QStringLiteral("admin unban %1").arg(EventLog::printable(key)));
    return saved(QStringLiteral("unbanned %1").arg(key));
}

QStringList AdminCommands::bans()
{
    // Ended bans go from the file too, so it does not grow with every short ban.
    QString error;
    if (m_bans.list().dropEnded(QDateTime::currentDateTimeUtc()) && !m_bans.save(&error))
        m_log.line(QStringLiteral("cannot write the bans to %1: %2").arg(m_bans.path(), error));
    QStringList rows{QStringLiteral("ok %1 bans").arg(m_bans.list().entries().size())};
    for (const BanList::Entry& e : m_bans.list().entries())
        rows << e.key + QLatin1Char('\t') + term(e.until);
    return rows;
}

QStringList AdminCommands::say(const QString& text)
{
    m_server.announce(text.toUtf8());
    m_log.line(QStringLiteral("admin say %1").arg(EventLog::printable(text)));
    return {QStringLiteral("ok said")};
}

QStringList AdminCommands::saved(const QString& done)
{
    QString error;
    if (m_bans.save(&error))
        return {QStringLiteral("ok ") + done};
    m_log.line(QStringLiteral("cannot write the bans to %1: %2").arg(m_bans.path(), error));
    // The change holds until the table stops, but the operator must know it
    // will not survive a restart.
    return {QStringLiteral("error %1, but only until a restart: cannot write %2: %3").arg(done, m_bans.path(), error)};
}
