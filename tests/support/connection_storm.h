#pragma once

#include <QtGlobal>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// Opens a connection to a loopback port and closes it again, in a loop on a
// thread of its own, up to `perSecond` times a second: a peer hammering the
// table's door. It stops when it goes.
class ConnectionStorm {
public:
    explicit ConnectionStorm(quint16 port, int perSecond = 5000)
        : m_thread([this, port, perSecond] { run(port, perSecond); })
    {
    }
    ~ConnectionStorm()
    {
        m_stop = true;
        m_thread.join();
    }
    ConnectionStorm(const ConnectionStorm&) = delete;
    ConnectionStorm& operator=(const ConnectionStorm&) = delete;

    int connections() const { return m_count; }
    qint64 attempts() const { return m_attempts; }

private:
    void run(quint16 port, int perSecond)
    {
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const auto start = std::chrono::steady_clock::now();
        while (!m_stop) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
            if (fd < 0)
                break;
            // A full accept queue drops the attempt; it is given up on at
            // once instead of being retried a second later.
            pollfd done = {fd, POLLOUT, 0};
            if (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0
                || (errno == EINPROGRESS && ::poll(&done, 1, 2) == 1 && connected(fd)))
                ++m_count;
            ++m_attempts;
            ::close(fd);
            // Held to the rate: the pace of the attack, not of this machine.
            const auto due = start + std::chrono::microseconds(qint64(m_attempts) * 1000000 / perSecond);
            std::this_thread::sleep_until(due);
        }
    }

    std::atomic<bool> m_stop{false};
    static bool connected(int fd)
    {
        int error = 0;
        socklen_t size = sizeof error;
        return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }

    std::atomic<int> m_count{0};
    std::atomic<qint64> m_attempts{0};
    std::thread m_thread;
};
