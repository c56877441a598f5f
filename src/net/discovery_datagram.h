#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// What a table tells a player looking for games on the local network.
struct TableAnnouncement {
    QString version;
    // Random hex, fixed for the table's life: the same table heard over IPv4
    // and IPv6 is one table.
    QString id;
    QString name;
    // The TCP game port to join on.
    quint16 port = 0;
    // Seated players, bots included, and how many of them are bots.
    int players = 0;
    int watchers = 0;
    int seats = 6;
    int bots = 0;
    // "waiting" or "playing".
    QString state;
    // "" before the first game, "standard" or "classic".
    QString mode;
    int mission = 0;
    int missions = 0;

    bool operator==(const TableAnnouncement&) const = default;
};

// The datagrams of LAN discovery, sent over UDP to a table's game port.
//
// A query is "GLOOPDASH?1+", a token, one byte 0xFF and padding, at least
// QueryMinBytes in all. The answer is "GLOOPDASH!1+", the token, "+" and one
// JSON object, and never longer than the query it answers: a forged query
// cannot make a table send more bytes than it received, so a table is useless
// as an amplifier.
class DiscoveryDatagram {
public:
    static constexpr qsizetype QueryMinBytes = 256;
    // What the game's own browser sends: room for any answer a table builds.
    static constexpr qsizetype QueryBytes = 512;
    static constexpr qsizetype TokenMaxBytes = 64;
    // Longest texts an answer may carry; longer ones make the answer invalid.
    static constexpr int IdMaxChars = 64;
    static constexpr int NameMaxChars = 64;
    static constexpr int VersionMaxChars = 32;
    static constexpr int MissionsMax = 99;

    static QByteArray queryPrefix() { return QByteArrayLiteral("GLOOPDASH?1+"); }
    static QByteArray answerPrefix() { return QByteArrayLiteral("GLOOPDASH!1+"); }

    // The token of a well-formed query; nothing for anything else.
    static std::optional<QByteArray> readQuery(QByteArrayView datagram);
    // A query for `token` (which must be a valid token) padded to `bytes`.
    static QByteArray query(const QByteArray& token, qsizetype bytes = QueryBytes);
    static bool validToken(QByteArrayView token);

    // The answer to a query of `limit` bytes; nothing when it would be longer.
    static std::optional<QByteArray> answer(const QByteArray& token, const TableAnnouncement& table, qsizetype limit);
    struct Answer {
        QByteArray token;
        TableAnnouncement table;
    };
    // A well-formed answer whose fields are all in range; nothing otherwise.
    static std::optional<Answer> readAnswer(QByteArrayView datagram);
};
