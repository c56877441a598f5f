#include "coordinator_request.h"

#include "server/player_names.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace {

Read<QJsonObject> object(const std::string& body)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(body), &error);
    if (error.error != QJsonParseError::NoError)
        return {{}, QStringLiteral("the body is not JSON: %1").arg(error.errorString())};
    if (!doc.isObject())
        return {{}, QStringLiteral("the body must be a JSON object")};
    return {doc.object(), {}};
}

QString readSecret(const QJsonObject& json, QByteArray& out)
{
    const QJsonValue v = json.value(QStringLiteral("secret"));
    const QString secret = v.toString();
    if (!v.isString() || secret.size() < CoordinatorRequest::MinSecret || secret.size() > CoordinatorRequest::MaxSecret)
        return QStringLiteral("secret must be a text of %1 to %2 characters")
            .arg(CoordinatorRequest::MinSecret)
            .arg(CoordinatorRequest::MaxSecret);
    out = secret.toUtf8();
    return {};
}

// A whole number written in decimal, within range.
bool decimal(const std::string& text, int low, int high, int& out)
{
    if (text.empty() || text.size() > 9)
        return false;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return false;
    out = value;
    return true;
}

QString readListParam(const std::string& key, const std::string& value, TableStore::Filter& f)
{
    if (key == "limit" && !decimal(value, 1, CoordinatorRequest::MaxLimit, f.limit))
        return QStringLiteral("limit must be a number from 1 to %1").arg(CoordinatorRequest::MaxLimit);
    if (key == "offset" && !decimal(value, 0, CoordinatorRequest::MaxOffset, f.offset))
        return QStringLiteral("offset must be a number from 0 to %1").arg(CoordinatorRequest::MaxOffset);
    if (key == "state") {
        if (value != "waiting" && value != "playing")
            return QStringLiteral("state must be waiting or playing");
        f.state = QString::fromStdString(value);
    }
    if (key == "version") {
        // Only a version a table could have registered with can match.
        f.version = QString::fromStdString(value);
        if (!TableListing::validVersion(f.version))
            return QStringLiteral("version must be 1 to %1 printable characters").arg(TableListing::MaxVersionLength);
    }
    return {};
}

} // namespace

Read<RegisterRequest> CoordinatorRequest::readRegister(const std::string& body)
{
    const Read<QJsonObject> json = object(body);
    if (!json.ok())
        return {{}, json.error};
    RegisterRequest request;
    QString error = TableListing::readTable(json.value, request.table);
    if (error.isEmpty())
        error = readSecret(json.value, request.secret);
    if (!error.isEmpty())
        return {{}, error};
    request.table.name = QString::fromUtf8(PlayerNames::clean(request.table.name.toUtf8()));
    return {request, {}};
}

Read<WithdrawRequest> CoordinatorRequest::readWithdraw(const std::string& body)
{
    const Read<QJsonObject> json = object(body);
    if (!json.ok())
        return {{}, json.error};
    WithdrawRequest request;
    const QJsonValue port = json.value.value(QStringLiteral("port"));
    const double p = port.toDouble();
    // Range first: converting 1e30 to int is undefined.
    if (!port.isDouble() || !(p >= 1 && p <= 65535) || p != std::floor(p))
        return {{}, QStringLiteral("port must be a number from 1 to 65535")};
    request.port = quint16(p);
    const QString error = readSecret(json.value, request.secret);
    if (!error.isEmpty())
        return {{}, error};
    return {request, {}};
}

Read<TableStore::Filter> CoordinatorRequest::readList(const std::multimap<std::string, std::string>& params)
{
    TableStore::Filter filter;
    for (const auto& [key, value] : params) {
        const QString error = readListParam(key, value, filter);
        if (!error.isEmpty())
            return {{}, error};
    }
    return {filter, {}};
}
