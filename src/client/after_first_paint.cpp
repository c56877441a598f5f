#include "after_first_paint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// How long held work waits for a paint that does not come.
constexpr int LongestWaitMs = 1000;

} // namespace

AfterFirstPaint::AfterFirstPaint(QWidget& watched) : m_watched(&watched)
{
    watched.installEventFilter(this);
}

void AfterFirstPaint::run(std::function<void()> work)
{
    if (m_released) {
        work();
        return;
    }
    m_waiting.push_back(std::move(work));
    if (!m_releaseQueued) {
        m_releaseQueued = true;
        QTimer::singleShot(LongestWaitMs, this, &AfterFirstPaint::release);
    }
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    // Released from the event loop, once the whole first picture is drawn.
    if (watched == m_watched && event->type() == QEvent::Paint && !m_released) {
        m_watched->removeEventFilter(this);
        QTimer::singleShot(0, this, &AfterFirstPaint::release);
    }
    return false;
}

void AfterFirstPaint::release()
{
    if (m_released)
        return;
    m_released = true;
    if (m_watched)
        m_watched->removeEventFilter(this);
    // Work may ask for more work; it then runs at once.
    std::vector<std::function<void()>> waiting;
    waiting.swap(m_waiting);
    for (const auto& work : waiting)
        work();
}
