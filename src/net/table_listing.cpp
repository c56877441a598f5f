#include "table_listing.h"

#include "protocol_table.h"

#include <QJsonValue>
#include <cmath>
#include <optional>

namespace {

const QString PortKey = QStringLiteral("port");
const QString NameKey = QStringLiteral("name");
const QString PlayersKey = QStringLiteral("players");
const QString WatchersKey = QStringLiteral("watchers");
const QString SeatsKey = QStringLiteral("seats");
const QString BotsKey = QStringLiteral("bots");
const QString StateKey = QStringLiteral("state");
const QString ModeKey = QStringLiteral("mode");
const QString MissionKey = QStringLiteral("mission");
const QString MissionsKey = QStringLiteral("missions");
const QString VersionKey = QStringLiteral("version");
const QString IdKey = QStringLiteral("id");
const QString AddressKey = QStringLiteral("address");
const QString UpdatedKey = QStringLiteral("updated");

// A whole number in range; JSON numbers are doubles, so 2.5 or 1e30 is no count.
std::optional<qint64> whole(const QJsonObject& json, const QString& key, qint64 low, qint64 high)
{
    const QJsonValue v = json.value(key);
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || d < double(low) || d > double(high))
        return std::nullopt;
    return qint64(d);
}

QString readCounts(const QJsonObject& json, TableListing& out)
{
    const auto seats = whole(json, SeatsKey, 1, Table::Seats);
    if (!seats)
        return QStringLiteral("seats must be a number from 1 to %1").arg(Table::Seats);
    const auto players = whole(json, PlayersKey, 0, *seats);
    if (!players)
        return QStringLiteral("players must be a number from 0 to seats");
    const auto bots = whole(json, BotsKey, 0, *players);
    if (!bots)
        return QStringLiteral("bots must be a number from 0 to players");
    const auto watchers = whole(json, WatchersKey, 0, TableListing::MaxWatchers);
    if (!watchers)
        return QStringLiteral("watchers must be a number from 0 to %1").arg(TableListing::MaxWatchers);
    const auto missions = whole(json, MissionsKey, 0, TableListing::MaxMissions);
    if (!missions)
        return QStringLiteral("missions must be a number from 0 to %1").arg(TableListing::MaxMissions);
    const auto mission = whole(json, MissionKey, 0, *missions);
    if (!mission)
        return QStringLiteral("mission must be a number from 0 to missions");
    out.seats = int(*seats);
    out.players = int(*players);
    out.bots = int(*bots);
    out.watchers = int(*watchers);
    out.missions = int(*missions);
    out.mission = int(*mission);
    return {};
}

QString readWords(const QJsonObject& json, TableListing& out)
{
    const QJsonValue state = json.value(StateKey);
    if (state != QJsonValue(QStringLiteral("waiting")) && state != QJsonValue(QStringLiteral("playing")))
        return QStringLiteral("state must be \"waiting\" or \"playing\"");
    const QJsonValue mode = json.value(ModeKey);
    if (mode != QJsonValue(QString()) && mode != QJsonValue(QStringLiteral("standard"))
        && mode != QJsonValue(QStringLiteral("classic")))
        return QStringLiteral("mode must be \"\", \"standard\" or \"classic\"");
    const QJsonValue version = json.value(VersionKey);
    if (!version.isString() || !TableListing::validVersion(version.toString()))
        return QStringLiteral("version must be 1 to %1 printable characters").arg(TableListing::MaxVersionLength);
    out.state = state.toString();
    out.mode = mode.toString();
    out.version = version.toString();
    return {};
}

void appendString(QByteArray& out, const QString& text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[u >> 4];
            out += hex[u & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendField(QByteArray& out, const QString& key, const QString& text)
{
    appendString(out, key);
    out += ':';
    appendString(out, text);
    out += ',';
}

void appendField(QByteArray& out, const QString& key, qint64 number)
{
    appendString(out, key);
    out += ':';
    out += QByteArray::number(number);
    out += ',';
}

} // namespace

void TableListing::appendRowJson(QByteArray& out) const
{
    out += '{';
    appendField(out, IdKey, id);
    appendField(out, AddressKey, address);
    appendField(out, PortKey, port);
    appendField(out, NameKey, name);
    appendField(out, PlayersKey, players);
    appendField(out, WatchersKey, watchers);
    appendField(out, SeatsKey, seats);
    appendField(out, BotsKey, bots);
    appendField(out, StateKey, state);
    appendField(out, ModeKey, mode);
    appendField(out, MissionKey, mission);
    appendField(out, MissionsKey, missions);
    appendField(out, VersionKey, version);
    appendField(out, UpdatedKey, updated);
    out.back() = '}';
}

bool TableListing::validVersion(const QString& version)
{
    if (version.isEmpty() || version.size() > MaxVersionLength)
        return false;
    for (const QChar c : version)
        if (c.unicode() < 0x21 || c.unicode() > 0x7e)
            return false;
    return true;
}

QJsonObject TableListing::tableJson() const
{
    return QJsonObject{{PortKey, port},       {NameKey, name},         {PlayersKey, players}, {WatchersKey, watchers},
                       {SeatsKey, seats},     {BotsKey, bots},         {StateKey, state},     {ModeKey, mode},
                       {MissionKey, mission}, {MissionsKey, missions}, {VersionKey, version}};
}

QJsonObject TableListing::rowJson() const
{
    QJsonObject row = tableJson();
    row.insert(IdKey, id);
    row.insert(AddressKey, address);
    row.insert(UpdatedKey, updated);
    return row;
}

QString TableListing::readTable(const QJsonObject& json, TableListing& out)
{
    const auto port = whole(json, PortKey, 1, 65535);
    if (!port)
        return QStringLiteral("port must be a number from 1 to 65535");
    if (!json.value(NameKey).isString())
        return QStringLiteral("name must be a text");
    out.port = quint16(*port);
    out.name = json.value(NameKey).toString();
    const QString error = readCounts(json, out);
    return error.isEmpty() ? readWords(json, out) : error;
}

bool TableListing::readRow(const QJsonObject& json, TableListing& out)
{
    TableListing row;
    const auto updated = whole(json, UpdatedKey, 0, qint64(1) << 50);
    if (!readTable(json, row).isEmpty() || !json.value(IdKey).isString() || !json.value(AddressKey).isString()
        || !updated)
        return false;
    row.id = json.value(IdKey).toString();
    row.address = json.value(AddressKey).toString();
    row.updated = *updated;
    out = row;
    return true;
}
