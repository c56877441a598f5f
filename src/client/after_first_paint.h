#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QWidget;

// Holds back work that the main window's first picture does not need until
// that picture is on screen: start-up then costs only what the player sees
// first. A window that is never painted (started minimised, say) releases the
// work after a short wait all the same.
class AfterFirstPaint : public QObject {
public:
    explicit AfterFirstPaint(QWidget& watched);

    // Runs `work` at once if the window has been painted, else soon after
    // its first paint, in the order given.
    void run(std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void release();

    QPointer<QWidget> m_watched;
    bool m_released = false;
    bool m_releaseQueued = false;
    std::vector<std::function<void()>> m_waiting;
};
