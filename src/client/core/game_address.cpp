#include "game_address.h"

std::optional<quint16> parsePort(const QString& text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

std::optional<GameAddress> GameAddress::parse(const QString& text, quint16 defaultPort)
{
    const QString t = text.trimmed();
    GameAddress address;
    address.port = defaultPort;
    QString portText;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        if (close < 0)
            return std::nullopt;
        address.host = t.mid(1, close - 1);
        const QString after = t.mid(close + 1);
        if (!after.isEmpty() && !after.startsWith(QLatin1Char(':')))
            return std::nullopt;
        portText = after.mid(1);
        if (after == QLatin1String(":"))
            return std::nullopt;
    } else if (t.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = t.indexOf(QLatin1Char(':'));
        address.host = t.left(colon);
        portText = t.mid(colon + 1);
        if (portText.isEmpty())
            return std::nullopt;
    } else {
        // No colon, or several: a plain name or a bare IPv6 literal.
        address.host = t;
    }
    if (address.host.trimmed().isEmpty())
        return std::nullopt;
    if (!portText.isEmpty()) {
        const auto port = parsePort(portText);
        if (!port)
            return std::nullopt;
        address.port = *port;
    }
    return address;
}

QString GameAddress::text(quint16 defaultPort) const
{
    const QString shown = host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return port == defaultPort ? shown : shown + QLatin1Char(':') + QString::number(port);
}
