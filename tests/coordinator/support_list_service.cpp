#include "support_list_service.h"

#include "wire_client.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <httplib.h>

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QString builtProgram(const QString& name)
{
    return QFileInfo(qEnvironmentVariable("GD_APP")).dir().filePath(name);
}

TestRedis::TestRedis() : m_port(freePort())
{
}

TestRedis::~TestRedis()
{
    kill();
}

bool TestRedis::installed()
{
    return QFileInfo::exists(QStringLiteral("/usr/bin/redis-server"));
}

bool TestRedis::start()
{
    kill();
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(QStringLiteral("/usr/bin/redis-server"));
    m_process->setArguments({QStringLiteral("--port"), QString::number(m_port), QStringLiteral("--bind"),
                             QStringLiteral("127.0.0.1"), QStringLiteral("--save"), QString(),
                             QStringLiteral("--appendonly"), QStringLiteral("no")});
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->start();
    if (!m_process->waitForStarted())
        return false;
    return waitUntil(
        [this] {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, m_port);
            if (!s.waitForConnected(100))
                return false;
            s.write("PING\r\n");
            return s.waitForReadyRead(200) && s.readAll().startsWith("+PONG");
        },
        5000);
}

void TestRedis::kill()
{
    if (!m_process)
        return;
    m_process->kill();
    m_process->waitForFinished();
    m_process.reset();
}

TestCoordinator::TestCoordinator(quint16 redisPort, quint16 port) : m_process(std::make_unique<QProcess>())
{
    m_process->setProgram(builtProgram(QStringLiteral("gloopdash-coordinator")));
    m_process->setArguments({QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(port),
                             QStringLiteral("--redis"), QStringLiteral("127.0.0.1:%1").arg(redisPort)});
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start();
    // The first line names the port taken: "... listening on 127.0.0.1 port N, ...".
    if (!m_process->waitForReadyRead(10000))
        return;
    const QByteArray line = m_process->readLine();
    const qsizetype at = line.indexOf(" port ");
    if (at >= 0)
        m_port = quint16(line.mid(at + 6).split(',').first().toUInt());
}

TestCoordinator::~TestCoordinator()
{
    m_process->terminate();
    if (!m_process->waitForFinished(5000))
        m_process->kill();
}

QJsonObject TestCoordinator::Answer::json() const
{
    return QJsonDocument::fromJson(body).object();
}

namespace {
TestCoordinator::Answer answerOf(const httplib::Result& result)
{
    if (!result)
        return {};
    return {result->status, QByteArray::fromStdString(result->body)};
}
} // namespace

TestCoordinator::Answer TestCoordinator::get(const std::string& query) const
{
    httplib::Client client("127.0.0.1", m_port);
    return answerOf(client.Get("/v1/tables" + query));
}

TestCoordinator::Answer TestCoordinator::post(const QByteArray& body) const
{
    httplib::Client client("127.0.0.1", m_port);
    return answerOf(client.Post("/v1/tables", body.toStdString(), "application/json"));
}

TestCoordinator::Answer TestCoordinator::remove(const QByteArray& body) const
{
    httplib::Client client("127.0.0.1", m_port);
    return answerOf(client.Delete("/v1/tables", body.toStdString(), "application/json"));
}
