#include "watcher.h"

#include "net/field_reader.h"
#include "net/protocol.h"

Watcher::Watcher(quint16 serverPort, QByteArray watcherName, QObject* parent)
    : WireClient(parent), m_serverPort(serverPort)
{
    name = std::move(watcherName);
    keepMessages(false);
}

void Watcher::join()
{
    if (!open(m_serverPort))
        return;
    m_check.reset();
    m_synced = false;
    m_names.clear();
}

void Watcher::leave()
{
    close();
}

int Watcher::seatsNamed() const
{
    int named = 0;
    for (int seat = 1; seat <= 6; ++seat)
        named += m_names.contains(seat);
    return named;
}

void Watcher::mismatch(const QString& what)
{
    if (m_mismatches.size() < 50)
        m_mismatches.append(QString::fromUtf8(name) + QStringLiteral(": ") + what);
}

void Watcher::seen(const QByteArray& message)
{
    m_check.take(message);
    take(message);
}

void Watcher::take(const QByteArray& message)
{
    const CommandLine line = CommandLine::parse(message);
    FieldReader f(line.payload);
    if (line.command == "CMD_sendlogininfo") {
        // A seat is for the players: a watcher given one leaves at once.
        if (slot <= 6)
            return leave();
        send(ToServer::LoginInfo{slot, GD_VERSION_TEXT, name});
    } else if (line.command == "CMD_newplayerinfo" || line.command == "CMD_existingplayers") {
        const auto seat = f.nextInt();
        if (seat)
            m_names[*seat] = f.rest();
    } else if (line.command == "CMD_playerdisconnected") {
        m_names.remove(f.nextInt().value_or(0));
    } else if (line.command == "CMD_startgame") {
        m_before = m_totals = m_results = {};
        m_synced = true;
    } else if (line.command == "CMD_settiles") {
        m_before = m_totals;
    } else if (line.command == "CMD_postscores") {
        postscores(message.mid(line.command.size()));
    } else if (line.command == "CMD_thepath") {
        thepath(line.payload);
    } else if (line.command == "CMD_winner") {
        winner(line.payload);
    }
}

void Watcher::postscores(const QByteArray& list)
{
    FieldReader f(list.mid(1));
    while (!f.atEnd()) {
        const auto seat = f.nextInt(), total = f.nextInt();
        const auto result = f.remainder().contains('+') ? f.nextInt() : f.lastInt();
        if (!seat || !total || !result || *seat < 1 || *seat > 6)
            return; // the seat checks count malformed lists
        m_results[size_t(*seat)] = *result;
        m_totals[size_t(*seat)] = *total;
        if (m_synced && *total != m_before[size_t(*seat)] + *result)
            mismatch(QStringLiteral("seat %1 posted total %2 after %3 plus %4")
                         .arg(*seat)
                         .arg(*total)
                         .arg(m_before[size_t(*seat)])
                         .arg(*result));
    }
}

void Watcher::thepath(const QByteArray& payload)
{
    // name + 36 entries of 8 fields + "s" + result + "" ; the name may hold "+".
    const QList<QByteArray> f = payload.split('+');
    const qsizetype tail = 36 * 8 + 3;
    if (f.size() < tail + 1 || f[f.size() - 3] != "s") {
        mismatch(QStringLiteral("a path of %1 fields").arg(f.size()));
        return;
    }
    const auto result = FieldReader::toInt(f[f.size() - 2]);
    int best = 0;
    for (int seat = 1; seat <= 6; ++seat)
        if (m_names.contains(seat))
            best = qMax(best, m_results[size_t(seat)]);
    if (m_synced && (!result || *result != best))
        mismatch(QStringLiteral("the path shows %1, the best round result was %2")
                     .arg(QString::fromUtf8(f[f.size() - 2]))
                     .arg(best));
}

void Watcher::winner(const QByteArray& winnerName)
{
    ++m_games;
    if (!m_synced)
        return;
    int leader = 0;
    int ties = 0;
    for (int seat = 1; seat <= 6; ++seat) {
        if (!m_names.contains(seat))
            continue;
        if (leader == 0 || m_totals[size_t(seat)] > m_totals[size_t(leader)]) {
            leader = seat;
            ties = 0;
        } else if (m_totals[size_t(seat)] == m_totals[size_t(leader)]) {
            ++ties;
        }
    }
    if (leader == 0 || ties > 0 || m_names.value(leader) != winnerName)
        mismatch(QStringLiteral("%1 was declared the winner").arg(QString::fromUtf8(winnerName)));
}
