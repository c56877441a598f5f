#include "server_thread.h"

#include "discovery_responder.h"
#include "server.h"

#include "net/tsock.h"

ServerThread::ServerThread(const HostOptions& options) : m_options(options)
{
    m_thread.setObjectName(QStringLiteral("gloopdash-server"));
}

ServerThread::~ServerThread()
{
    stop();
}

void ServerThread::runThere(const std::function<void()>& work)
{
    // Blocking: the caller needs the result, and the server thread never waits
    // for the caller's thread, so this cannot deadlock.
    QMetaObject::invokeMethod(m_context.get(), work, Qt::BlockingQueuedConnection);
}

std::optional<QString> ServerThread::start(quint16 port)
{
    stop();
    m_context = std::make_unique<QObject>();
    m_context->moveToThread(&m_thread);
    m_thread.start();
    std::optional<QString> error;
    runThere([&] {
        auto server = std::make_unique<Server>(m_options, port);
        try {
            server->listen();
        } catch (const ESockException& e) {
            error = e.text();
            return;
        }
        m_port = server->port();
        // Beside the listener, on the same port; owned by the server.
        (new DiscoveryResponder(server->game(), m_options, m_port, server.get()))->start();
        m_server = server.release();
        if (m_makeCompanion)
            m_companion = m_makeCompanion(*m_server).release();
    });
    if (error)
        stop();
    return error;
}

void ServerThread::stop()
{
    if (!m_thread.isRunning())
        return;
    QThread* const caller = QThread::currentThread();
    runThere([this, caller] {
        delete m_companion;
        m_companion = nullptr;
        if (m_server)
            m_server->closeTable();
        delete m_server;
        m_server = nullptr;
        // Connections closed just now linger to hand over their last bytes;
        // this thread ends now, so they go with it.
        TSock::dropLingering();
        // Handed back so it is deleted on a thread that still runs.
        m_context->moveToThread(caller);
    });
    m_thread.quit();
    m_thread.wait();
    m_context.reset();
    m_port = 0;
}

void ServerThread::call(const std::function<void(Server&)>& work)
{
    if (!m_server)
        return;
    runThere([&] { work(*m_server); });
}
