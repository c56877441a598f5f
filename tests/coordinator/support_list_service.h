#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <memory>
#include <string>

// A real Redis for one test, without persistence, on a free loopback port.
class TestRedis {
public:
    TestRedis();
    ~TestRedis();
    static bool installed();
    // Starts it (again, on the same port after stop); true once it answers.
    bool start();
    // Kills it at once: every table it held is lost.
    void kill();
    quint16 port() const { return m_port; }

private:
    quint16 m_port = 0;
    std::unique_ptr<QProcess> m_process;
};

// A gloopdash-coordinator process on a free loopback port over a Redis.
class TestCoordinator {
public:
    // `port` 0 takes a free one.
    explicit TestCoordinator(quint16 redisPort, quint16 port = 0);
    ~TestCoordinator();
    bool started() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

    struct Answer {
        int status = 0;
        QByteArray body;
        QJsonObject json() const;
    };
    // Blocking requests: only for tables that do not run on this thread.
    Answer get(const std::string& query = {}) const;
    Answer post(const QByteArray& body) const;
    Answer remove(const QByteArray& body) const;

private:
    quint16 m_port = 0;
    std::unique_ptr<QProcess> m_process;
};

// A free TCP port on loopback, as the kernel hands them out.
quint16 freePort();
// Where the built programs are.
QString builtProgram(const QString& name);
