#pragma once

#include <QObject>
#include <QTimer>

// The server's one-second round clock `Timer1`, with the game phase kept in its
// `Tag`. With real time switched off the clock only records whether it is on,
// and its owner's tick is called from outside (tests drive a whole round
// without waiting for it).
class GameClock : public QObject {
    Q_OBJECT
public:
    explicit GameClock(int intervalMs = 1000, QObject* parent = nullptr);

    // 0 before the first game, 1 round in play, 2 pause after a round.
    int Tag = 0;

    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    void setRealTime(bool on);
    bool isRealTime() const { return m_realTime; }

signals:
    void OnTimer();

private:
    void sync();

    QTimer m_timer;
    bool m_enabled = false;
    bool m_realTime = true;
};
