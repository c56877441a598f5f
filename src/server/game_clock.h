#pragma once

#include <QObject>
#include <QTimer>

// Where the round stands, as the round clock keeps it.
enum class RoundPhase {
    // No round yet since the table opened or was put back.
    BeforeFirstGame,
    // A seat's round is being played: the clock counts its time down.
    InPlay,
    // Between rounds: the clock counts the pause before the next deal.
    Pause,
};

// The server's one-second round clock `Timer1`, with the round's phase kept in
// `Tag`. With real time switched off the clock only records whether it is on,
// and its owner's tick is called from outside (tests drive a whole round
// without waiting for it).
class GameClock : public QObject {
    Q_OBJECT
public:
    explicit GameClock(int intervalMs = 1000, QObject* parent = nullptr);

    RoundPhase Tag = RoundPhase::BeforeFirstGame;

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
