#include "reachability_check.h"

#include "net/protocol_to_client.h"

#include <QHostAddress>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// What every greeting starts with, from the protocol catalogue.
QByteArray greetingStart()
{
    const QByteArray greeting = ToClient::SendLoginInfo{1}.bytes();
    return greeting.left(greeting.indexOf('+') + 1);
}

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::max<long long>(0, left));
}

bool waitFor(int fd, short events, Clock::time_point deadline)
{
    pollfd p{fd, events, 0};
    for (;;) {
        const int n = ::poll(&p, 1, remainingMs(deadline));
        if (n > 0)
            return true;
        if (n == 0 || errno != EINTR)
            return false;
    }
}

// A non-blocking socket connected to the address, or -1.
int connectTo(const QHostAddress& address, quint16 port, Clock::time_point deadline)
{
    sockaddr_storage storage{};
    socklen_t length = 0;
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        auto* in = reinterpret_cast<sockaddr_in*>(&storage);
        in->sin_family = AF_INET;
        in->sin_port = htons(port);
        in->sin_addr.s_addr = htonl(address.toIPv4Address());
        length = sizeof(sockaddr_in);
    } else {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::copy(std::begin(bytes.c), std::end(bytes.c), in6->sin6_addr.s6_addr);
        length = sizeof(sockaddr_in6);
    }
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    int error = 0;
    socklen_t errorLength = sizeof(error);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&storage), length) == 0
        || (errno == EINPROGRESS && waitFor(fd, POLLOUT, deadline)
            && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &errorLength) == 0 && error == 0);
    if (!connected) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

bool ReachabilityCheck::answers(const QString& address, quint16 port, std::chrono::milliseconds timeout)
{
    const QHostAddress host(address);
    if (host.isNull() || port == 0)
        return false;
    const Clock::time_point deadline = Clock::now() + timeout;
    const int fd = connectTo(host, port, deadline);
    if (fd < 0)
        return false;
    const QByteArray expected = greetingStart();
    QByteArray got;
    char buffer[64];
    while (got.size() < expected.size() && waitFor(fd, POLLIN, deadline)) {
        const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
        if (n <= 0)
            break;
        got.append(buffer, n);
    }
    ::close(fd);
    return got.startsWith(expected);
}
