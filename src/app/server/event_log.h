#pragma once

#include "server/server_observer.h"

#include <cstdio>

// The dedicated server's log: one line per event on a stream (standard output,
// which the service manager keeps), flushed at once so a follower sees it live.
class EventLog : public ServerObserver {
public:
    explicit EventLog(std::FILE* out) : m_out(out) { }

    void line(const QString& text) const;
    // Text from the network or the console as one log line: control
    // characters (line breaks among them) become "?".
    static QString printable(const QString& text);

    void connected(int slot, const QString& address) override;
    void refused(const QString& address) override;
    void dropped(int slot, const QString& reason) override;
    void loggedIn(int slot, const QByteArray& name) override;
    void left(int slot, const QByteArray& name) override;
    void gameStarted(const QByteArray& starter, GameMode mode) override;
    void roundEnded(int round, const QList<SeatScore>& scores) override;
    void winner(const QByteArray& name) override;

private:
    std::FILE* m_out;
};
