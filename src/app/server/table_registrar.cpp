#include "table_registrar.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRandomGenerator>

namespace {

QByteArray newSecret()
{
    QByteArray bytes(24, '\0');
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return bytes.toHex();
}

QNetworkRequest jsonRequest(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setTransferTimeout(TableRegistrar::RequestTimeoutMs);
    return request;
}

} // namespace

TableRegistrar::TableRegistrar(const QUrl& coordinator, std::function<TableListing()> listing,
                               std::function<void(const QString&)> log, QObject* parent)
    : QObject(parent), m_url(endpoint(coordinator)), m_listing(std::move(listing)), m_log(std::move(log)),
      m_network(new QNetworkAccessManager(this)), m_secret(newSecret())
{
    m_next.setSingleShot(true);
    connect(&m_next, &QTimer::timeout, this, &TableRegistrar::send);
}

TableRegistrar::~TableRegistrar() = default;

QUrl TableRegistrar::endpoint(const QUrl& coordinator)
{
    QUrl url = coordinator;
    QString path = url.path();
    if (!path.endsWith(QLatin1String("/v1/tables"))) {
        while (path.endsWith(u'/'))
            path.chop(1);
        url.setPath(path + QStringLiteral("/v1/tables"));
    }
    return url;
}

void TableRegistrar::start()
{
    m_stopping = false;
    send();
}

void TableRegistrar::changed()
{
    if (m_stopping)
        return;
    if (m_pending) {
        m_changedMeanwhile = true;
        return;
    }
    // While retrying after a failure the next attempt carries the change too.
    if (m_retryMs == FirstRetryMs && (!m_next.isActive() || m_next.remainingTime() > ChangeDelayMs))
        m_next.start(ChangeDelayMs);
}

void TableRegistrar::send()
{
    if (m_stopping || m_pending)
        return;
    m_next.stop();
    m_changedMeanwhile = false;
    QJsonObject body = m_listing().tableJson();
    body.insert(QStringLiteral("secret"), QString::fromLatin1(m_secret));
    m_pending = m_network->post(jsonRequest(m_url), QJsonDocument(body).toJson(QJsonDocument::Compact));
    QNetworkReply* const reply = m_pending;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
}

void TableRegistrar::finished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_pending)
        return;
    m_pending = nullptr;
    if (m_stopping)
        return;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 200) {
        const QString body = QString::fromUtf8(reply->readAll()).left(200);
        retryLater(status == 0 ? reply->errorString() : QStringLiteral("%1 %2").arg(status).arg(body));
        emit answered(false);
        return;
    }
    if (!m_listed || m_retryMs != FirstRetryMs) {
        const QJsonObject answer = QJsonDocument::fromJson(reply->readAll()).object();
        m_log(
            QStringLiteral("listed at %1 as %2").arg(m_url.toString(), answer.value(QStringLiteral("id")).toString()));
    }
    m_listed = true;
    m_retryMs = FirstRetryMs;
    m_next.start(m_changedMeanwhile ? ChangeDelayMs : RefreshMs);
    emit answered(true);
}

void TableRegistrar::retryLater(const QString& why)
{
    m_log(QStringLiteral("listing at %1 failed (%2); trying again in %3 s")
              .arg(m_url.toString(), why.simplified())
              .arg(m_retryMs / 1000));
    m_next.start(m_retryMs);
    m_retryMs = std::min(2 * m_retryMs, LongestRetryMs);
}

void TableRegistrar::withdraw()
{
    m_stopping = true;
    m_next.stop();
    if (m_pending) {
        QNetworkReply* const pending = m_pending;
        m_pending = nullptr;
        pending->abort();
    }
    const QJsonObject body{{QStringLiteral("port"), m_listing().port},
                           {QStringLiteral("secret"), QString::fromLatin1(m_secret)}};
    QNetworkReply* const reply =
        m_network->sendCustomRequest(jsonRequest(m_url), "DELETE", QJsonDocument(body).toJson(QJsonDocument::Compact));
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status == 204)
            m_log(QStringLiteral("taken off the list at %1").arg(m_url.toString()));
        else
            m_log(QStringLiteral("could not take the table off the list at %1 (%2)")
                      .arg(m_url.toString(), status == 0 ? reply->errorString() : QString::number(status)));
        m_listed = false;
        emit withdrawn();
    });
}
