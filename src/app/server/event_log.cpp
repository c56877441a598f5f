#include "event_log.h"

#include <QStringList>

// Names come from the network: one log line must stay one line.
QString EventLog::printable(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return out;
}

void EventLog::line(const QString& text) const
{
    std::fprintf(m_out, "%s\n", text.toUtf8().constData());
    std::fflush(m_out);
}

void EventLog::connected(int slot, const QString& address)
{
    line(QStringLiteral("connect slot %1 from %2").arg(slot).arg(address));
}

void EventLog::refused(const QString& address)
{
    line(QStringLiteral("refused %1: the table is full").arg(address));
}

void EventLog::dropped(int slot, const QString& reason)
{
    line(QStringLiteral("dropped slot %1: %2").arg(slot).arg(reason));
}

void EventLog::loggedIn(int slot, const QByteArray& name)
{
    line(QStringLiteral("login slot %1 %2").arg(slot).arg(printable(name)));
}

void EventLog::left(int slot, const QByteArray& name)
{
    line(QStringLiteral("leave slot %1 %2").arg(slot).arg(printable(name)).trimmed());
}

void EventLog::gameStarted(const QByteArray& starter, GameMode mode)
{
    line(QStringLiteral("game start %1 by %2").arg(GameModes::name(mode), printable(starter)));
}

void EventLog::roundEnded(int round, const QList<SeatScore>& scores)
{
    QStringList seats;
    for (const SeatScore& s : scores)
        seats
            << QStringLiteral("%1 %2 total %3 round %4").arg(s.slot).arg(printable(s.name)).arg(s.total).arg(s.result);
    // A round may end with nobody seated (everyone left, or the table shuts down).
    if (seats.isEmpty())
        seats << QStringLiteral("no seat left");
    line(QStringLiteral("round %1 end: %2").arg(round).arg(seats.join(QStringLiteral("; "))));
}

void EventLog::winner(const QByteArray& name)
{
    line(QStringLiteral("winner %1").arg(printable(name)));
}
