#pragma once

#include <QString>
#include <chrono>

// Whether a table answers on its game port: connects to the address and port,
// reads the greeting every table sends a newcomer (CMD_sendlogininfo+<slot>)
// and closes without logging in. Blocking, bounded by `timeout` in all; run on
// a request's own thread.
class ReachabilityCheck {
public:
    static constexpr std::chrono::milliseconds DefaultTimeout{3000};

    static bool answers(const QString& address, quint16 port, std::chrono::milliseconds timeout = DefaultTimeout);
};
