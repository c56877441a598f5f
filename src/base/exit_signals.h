#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a desktop session ending, Ctrl+C, a kill)
// into a Qt signal on the thread that created this object, so the program can
// end the way its own Exit does: settings and tally written, exit code 0.
//
// The handler only writes the signal's number into a pipe (the one thing a
// handler may safely do); the pipe's reading end wakes the event loop. One
// object per process; it restores the default handlers when it goes.
class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(QObject* parent = nullptr);
    ~ExitSignals() override;

signals:
    // One of the signals arrived; signalNumber tells which.
    void exitRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
};
