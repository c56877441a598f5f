#pragma once

#include <QJsonObject>
#include <QString>

// One table as the internet table list carries it: what a table says of itself
// when it registers, and what a player's list shows. The field names are
// written once, here, for the table that registers, the list service and the
// player's list.
struct TableListing {
    // Set by the list service: a stable id for the table's address and port,
    // the address the table registered from, and when it last refreshed
    // (seconds since 1970, UTC).
    QString id;
    QString address;
    qint64 updated = 0;

    quint16 port = 0;
    QString name;
    int players = 0;
    int watchers = 0;
    int seats = 6;
    int bots = 0;
    // "waiting" or "playing".
    QString state = QStringLiteral("waiting");
    // "", "standard" or "classic".
    QString mode;
    // The game's current round and its number of rounds; 0 before a first game.
    int mission = 0;
    int missions = 0;
    QString version;

    // The fields a table sends about itself (port, name and counts).
    QJsonObject tableJson() const;
    // Everything, as one row of the list.
    QJsonObject rowJson() const;
    // The same row written straight to JSON text (a list of hundreds of rows
    // is written many times a second).
    void appendRowJson(QByteArray& out) const;
    // Reads the fields a table sends; an empty text when all are present, of
    // the right type and in range, otherwise what is wrong. The name is taken
    // as sent: cleaning it is the reader's business.
    static QString readTable(const QJsonObject& json, TableListing& out);
    // Reads one row of the list, or nothing when it is malformed.
    static bool readRow(const QJsonObject& json, TableListing& out);

    // 1 to MaxVersionLength printable ASCII characters.
    static bool validVersion(const QString& version);

    friend bool operator==(const TableListing&, const TableListing&) = default;

    static constexpr int MaxVersionLength = 32;
    static constexpr int MaxMissions = 99;
    static constexpr int MaxWatchers = 9;
};
