#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <thread>

// The internet list benchmark's traffic, all on loopback: HTTP requests sent
// from any address of 127.0.0.0/8 (so each registered table has an address
// of its own, as on the internet, and no one address meets the list's rate
// limit), and a stand-in table that greets every connection as a table does.
namespace listload {

// 127.1.x.y for table n (n < 60000).
QString tableAddress(int n);

// One request on a fresh connection from `from` to 127.0.0.1:`port`; the
// status, or 0 when the connection failed.
int request(const QString& from, quint16 port, const QByteArray& method, const QByteArray& path,
            const QByteArray& body = {});

// Accepts connections on every loopback address at one port and greets each
// as a table greets a newcomer, then closes it.
class Greeter {
public:
    Greeter();
    ~Greeter();
    quint16 port() const { return m_port; }

private:
    void serve();

    int m_fd = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace listload
