#include "discovery_datagram.h"

#include "protocol_table.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString GameName = QStringLiteral("gloopdash");
constexpr char EndOfToken = '\xff';

bool hexText(const QString& text)
{
    for (const QChar c : text)
        if (!c.isDigit() && !(c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            && !(c >= QLatin1Char('A') && c <= QLatin1Char('F')))
            return false;
    return true;
}

// A whole number of the object in [low, high]; nothing when it is absent, not
// a number, or has a fraction.
std::optional<int> number(const QJsonObject& o, const char* key, int low, int high)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble())
        return std::nullopt;
    const double d = v.toDouble();
    if (d < low || d > high || d != double(int(d)))
        return std::nullopt;
    return int(d);
}

std::optional<QString> text(const QJsonObject& o, const char* key, int maxChars)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isString() || v.toString().size() > maxChars)
        return std::nullopt;
    return v.toString();
}

bool readTexts(const QJsonObject& o, TableAnnouncement& t)
{
    const auto game = text(o, "game", 16);
    const auto version = text(o, "version", DiscoveryDatagram::VersionMaxChars);
    const auto id = text(o, "id", DiscoveryDatagram::IdMaxChars);
    const auto name = text(o, "name", DiscoveryDatagram::NameMaxChars);
    const auto state = text(o, "state", 16);
    const auto mode = text(o, "mode", 16);
    if (!game || *game != GameName || !version || !id || id->size() < 8 || !hexText(*id) || !name || !state
        || (*state != QLatin1String("waiting") && *state != QLatin1String("playing")) || !mode
        || (!mode->isEmpty() && *mode != QLatin1String("standard") && *mode != QLatin1String("classic")))
        return false;
    t.version = *version;
    t.id = id->toLower();
    t.name = *name;
    t.state = *state;
    t.mode = *mode;
    return true;
}

bool readNumbers(const QJsonObject& o, TableAnnouncement& t)
{
    const auto port = number(o, "port", 1, 65535);
    const auto seats = number(o, "seats", 1, Table::Seats);
    const auto players = number(o, "players", 0, Table::Seats);
    const auto watchers = number(o, "watchers", 0, Table::Spectators);
    const auto bots = number(o, "bots", 0, Table::Seats);
    const auto missions = number(o, "missions", 0, DiscoveryDatagram::MissionsMax);
    const auto mission = number(o, "mission", 0, DiscoveryDatagram::MissionsMax);
    if (!port || !seats || !players || !watchers || !bots || !missions || !mission || *players > *seats
        || *bots > *players || *mission > *missions)
        return false;
    t.port = quint16(*port);
    t.seats = *seats;
    t.players = *players;
    t.watchers = *watchers;
    t.bots = *bots;
    t.missions = *missions;
    t.mission = *mission;
    return true;
}

} // namespace

bool DiscoveryDatagram::validToken(QByteArrayView token)
{
    if (token.isEmpty() || token.size() > TokenMaxBytes)
        return false;
    for (const char c : token)
        if (c < 0x20 || c > 0x7e || c == '+')
            return false;
    return true;
}

std::optional<QByteArray> DiscoveryDatagram::readQuery(QByteArrayView datagram)
{
    if (datagram.size() < QueryMinBytes || !datagram.startsWith(queryPrefix()))
        return std::nullopt;
    const QByteArrayView rest = datagram.sliced(queryPrefix().size());
    // The token ends at the first 0xFF, which no token character can be.
    const qsizetype end = rest.first(std::min(rest.size(), TokenMaxBytes + 1)).indexOf(EndOfToken);
    if (end < 0 || !validToken(rest.first(end)))
        return std::nullopt;
    return rest.first(end).toByteArray();
}

QByteArray DiscoveryDatagram::query(const QByteArray& token, qsizetype bytes)
{
    QByteArray q = queryPrefix() + token + EndOfToken;
    if (q.size() < bytes)
        q.append(bytes - q.size(), '\0');
    return q;
}

std::optional<QByteArray> DiscoveryDatagram::answer(const QByteArray& token, const TableAnnouncement& t,
                                                    qsizetype limit)
{
    const QJsonObject o{
        {QStringLiteral("game"), GameName},
        {QStringLiteral("version"), t.version},
        {QStringLiteral("id"), t.id},
        {QStringLiteral("name"), t.name},
        {QStringLiteral("port"), t.port},
        {QStringLiteral("players"), t.players},
        {QStringLiteral("watchers"), t.watchers},
        {QStringLiteral("seats"), t.seats},
        {QStringLiteral("bots"), t.bots},
        {QStringLiteral("state"), t.state},
        {QStringLiteral("mode"), t.mode},
        {QStringLiteral("mission"), t.mission},
        {QStringLiteral("missions"), t.missions},
    };
    QByteArray a = answerPrefix() + token + '+' + QJsonDocument(o).toJson(QJsonDocument::Compact);
    if (a.size() > limit)
        return std::nullopt;
    return a;
}

std::optional<DiscoveryDatagram::Answer> DiscoveryDatagram::readAnswer(QByteArrayView datagram)
{
    if (!datagram.startsWith(answerPrefix()))
        return std::nullopt;
    const QByteArrayView rest = datagram.sliced(answerPrefix().size());
    const qsizetype plus = rest.first(std::min(rest.size(), TokenMaxBytes + 1)).indexOf('+');
    if (plus < 0 || !validToken(rest.first(plus)))
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(rest.sliced(plus + 1).toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    Answer a;
    a.token = rest.first(plus).toByteArray();
    if (!readTexts(doc.object(), a.table) || !readNumbers(doc.object(), a.table))
        return std::nullopt;
    return a;
}
