#pragma once

// A real full filesystem for a test: a small tmpfs mounted in a mount namespace
// of its own (unshare -m, so nothing shows on the machine), reached from the
// test through /proc/<pid>/root of the process holding the namespace.
// Header-only, so any test folder can include it.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class FullDisk {
public:
    ~FullDisk()
    {
        if (m_holder.state() != QProcess::NotRunning) {
            m_holder.kill();
            m_holder.waitForFinished(5000);
        }
    }

    // Mounts the filesystem; false with *why set when this machine does not
    // allow it (no unshare, not root).
    bool mount(QString* why)
    {
        m_holder.setProgram(QStringLiteral("unshare"));
        m_holder.setArguments(
            {QStringLiteral("-m"), QStringLiteral("--propagation"), QStringLiteral("private"), QStringLiteral("sh"),
             QStringLiteral("-c"),
             QStringLiteral("mount -t tmpfs -o size=256k tmpfs \"$1\" && echo ready && exec sleep 600"),
             QStringLiteral("sh"), m_mountPoint.path()});
        m_holder.start();
        if (!m_holder.waitForStarted(5000) || !m_holder.waitForReadyRead(10000)
            || !m_holder.readAll().startsWith("ready")) {
            *why = QStringLiteral("cannot mount a tmpfs in a mount namespace: ")
                + QString::fromLocal8Bit(m_holder.readAllStandardError());
            return false;
        }
        m_path = QStringLiteral("/proc/%1/root%2").arg(m_holder.processId()).arg(m_mountPoint.path());
        return true;
    }

    // The filesystem's root folder, as seen from the test.
    QString path() const { return m_path; }

    // Takes up every free byte with a filler file.
    void fill()
    {
        QFile filler(QDir(m_path).filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) { }
        // Whole pages are gone now; take the last bytes of a partial one too.
        while (filler.write("x", 1) == 1) { }
    }

private:
    QTemporaryDir m_mountPoint;
    QProcess m_holder;
    QString m_path;
};
