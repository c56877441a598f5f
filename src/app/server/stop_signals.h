#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop. The handler
// only writes one byte to a pipe (nothing else is safe there); a notifier on
// the pipe's other end emits stopRequested. One instance per process.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

    bool installed() const { return m_notifier != nullptr; }

signals:
    void stopRequested(int signalNumber);

private:
    void readPipe();

    std::unique_ptr<QSocketNotifier> m_notifier;
};
