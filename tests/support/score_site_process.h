#pragma once

// Runs the score-site stand-in (gloopdash-scoresite) on a free loopback port
// for the duration of a test. Header-only, so any test folder can include it.

#include <QProcess>
#include <QString>
#include <QStringList>

class ScoreSiteProcess {
public:
    ~ScoreSiteProcess() { stop(); }

    static QString program()
    {
        return qEnvironmentVariable("GD_TOOLS_DIR") + QStringLiteral("/scoresite/gloopdash-scoresite");
    }

    // Starts it with its database in `dbPath`; true once it has said where it listens.
    bool start(const QString& dbPath, const QStringList& extra = {})
    {
        m_process.setProgram(program());
        m_process.setArguments(
            QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--db"), dbPath}
            + extra);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return false;
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(10000))
                return false;
        const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
        m_host = line.mid(line.lastIndexOf(QLatin1Char('/')) + 1);
        return m_host.startsWith(QLatin1String("127.0.0.1:"));
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished(10000);
    }

    // host:port to give the game as its web host.
    QString host() const { return m_host; }

private:
    QProcess m_process;
    QString m_host;
};
