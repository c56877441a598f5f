#include "game_clock.h"

GameClock::GameClock(int intervalMs, QObject* parent) : QObject(parent)
{
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &GameClock::OnTimer);
}

void GameClock::setEnabled(bool on)
{
    m_enabled = on;
    // Switching on always restarts, so a pause counts whole seconds from its start.
    m_timer.stop();
    sync();
}

void GameClock::setRealTime(bool on)
{
    m_realTime = on;
    m_timer.stop();
    sync();
}

void GameClock::sync()
{
    if (m_enabled && m_realTime && !m_timer.isActive())
        m_timer.start();
}
