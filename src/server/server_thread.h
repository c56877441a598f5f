#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>

class HostOptions;
class Server;

// The hosting copy's game server on a thread of its own, with its own event
// loop: the server, its listener, its connections and its timers are created
// on that thread and destroyed there, so nothing the windows do (a long
// layout, a modal box, a slow disk) delays the round clock or another seat.
// The local client talks to it over the socket like any other client.
class ServerThread {
public:
    // `options` must outlive this object; the server reads it from its thread.
    explicit ServerThread(const HostOptions& options);
    ~ServerThread();
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    // Starts a fresh server listening on `port` (0 picks a free port). Returns
    // the listener's error text ("Listen - Error Binding Socket" when the port
    // is taken), or nothing once it listens. A server already running is
    // stopped first.
    std::optional<QString> start(quint16 port);
    // Closes every connection and the listener, and ends the thread.
    void stop();

    bool running() const { return m_server != nullptr; }
    // The port the running server listens on; 0 when none runs.
    quint16 port() const { return m_port; }
    // Runs `work` on the server's thread and waits for it: the only way to
    // touch the server from elsewhere (tests, tools).
    void call(const std::function<void(Server&)>& work);
    // Something that lives beside each server started from now on (the
    // table's internet listing): made on the server's thread right after the
    // server listens, and deleted there just before the server is, so it may
    // still tell the world the table is going. Null: nothing.
    using Companion = std::function<std::unique_ptr<QObject>(Server&)>;
    void setCompanion(Companion make) { m_makeCompanion = std::move(make); }

private:
    void runThere(const std::function<void()>& work);

    const HostOptions& m_options;
    QThread m_thread;
    std::unique_ptr<QObject> m_context;
    // Owned by the server thread; only created and deleted inside runThere.
    Server* m_server = nullptr;
    QObject* m_companion = nullptr;
    Companion m_makeCompanion;
    quint16 m_port = 0;
};
