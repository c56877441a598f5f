#include "list_load.h"

#include "net/protocol_to_client.h"

#include <QHostAddress>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace listload {

QString tableAddress(int n)
{
    return QStringLiteral("127.1.%1.%2").arg(n / 250).arg(n % 250 + 1);
}

namespace {

sockaddr_in loopback(const QString& address, quint16 port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(QHostAddress(address).toIPv4Address());
    return a;
}

bool sendAll(int fd, const QByteArray& bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

} // namespace

int request(const QString& from, quint16 port, const QByteArray& method, const QByteArray& path, const QByteArray& body)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    const sockaddr_in source = loopback(from, 0);
    const sockaddr_in target = loopback(QStringLiteral("127.0.0.1"), port);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
    int status = 0;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&source), sizeof(source)) == 0
        && ::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof(target)) == 0) {
        const QByteArray head = method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
            + "Content-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
        QByteArray answer;
        char buffer[16384];
        if (sendAll(fd, head + body)) {
            for (ssize_t n; (n = ::recv(fd, buffer, sizeof(buffer), 0)) > 0;)
                answer.append(buffer, n);
        }
        // "HTTP/1.1 200 OK"
        if (answer.startsWith("HTTP/1.") && answer.size() > 12)
            status = answer.mid(9, 3).toInt();
    }
    ::close(fd);
    return status;
}

Greeter::Greeter()
{
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int one = 1;
    ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
    // 127.0.0.0/8 as a whole is reached by a wildcard bind; run the benchmark
    // in a network namespace of its own to keep the port off other networks.
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    socklen_t length = sizeof(any);
    if (::bind(m_fd, reinterpret_cast<sockaddr*>(&any), length) == 0 && ::listen(m_fd, 1024) == 0
        && ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&any), &length) == 0)
        m_port = ntohs(any.sin_port);
    m_thread = std::thread([this] { serve(); });
}

Greeter::~Greeter()
{
    m_stop = true;
    m_thread.join();
    ::close(m_fd);
}

void Greeter::serve()
{
    const QByteArray greeting = ToClient::SendLoginInfo{1}.bytes();
    pollfd p{m_fd, POLLIN, 0};
    while (!m_stop) {
        if (::poll(&p, 1, 100) <= 0)
            continue;
        const int client = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        sendAll(client, greeting);
        ::close(client);
    }
}

} // namespace listload
