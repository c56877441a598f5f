#pragma once

#include <QString>
#include <optional>

// Where to join, as a player writes it: "host", "host:port", "[ipv6]",
// "[ipv6]:port", or a bare IPv6 literal ("::1"), which has no port of its own.
struct GameAddress {
    static constexpr quint16 DefaultPort = 7772;

    QString host;
    quint16 port = DefaultPort;

    // Nothing for an empty host, a port that is not 1 to 65535, or an
    // unclosed bracket.
    static std::optional<GameAddress> parse(const QString& text, quint16 defaultPort = DefaultPort);
    // The form the player would write again: brackets around IPv6 literals,
    // ":port" only when it is not the default.
    QString text(quint16 defaultPort = DefaultPort) const;
};

// A port a player may choose: 1 to 65535.
std::optional<quint16> parsePort(const QString& text);
