#pragma once

#include "host_options.h"

#include <QMutex>
#include <QMutexLocker>
#include <atomic>

// The host's options as the server thread reads them: the window side writes a
// copy here whenever an option changes, so the server never reads a widget
// across threads.
class SharedHostOptions : public HostOptions {
public:
    bool showWinnersPath() const override { return m_winnersPath.load(); }
    QByteArray versionText() const override
    {
        const QMutexLocker lock(&m_mutex);
        return m_version;
    }

    bool listedOnNetwork() const override { return m_listed.load(); }

    void setShowWinnersPath(bool on) { m_winnersPath.store(on); }
    void setListedOnNetwork(bool on) { m_listed.store(on); }
    void setVersionText(const QByteArray& version)
    {
        const QMutexLocker lock(&m_mutex);
        m_version = version;
    }

private:
    std::atomic<bool> m_winnersPath{true};
    std::atomic<bool> m_listed{true};
    mutable QMutex m_mutex;
    QByteArray m_version = GD_VERSION_TEXT;
};
