#include "side/core/thttpcli.h"

#include "side/core/curl_request.h"
#include "side/core/thttpget.h"

#include <QIODevice>
#include <QMetaObject>

THttpCli::THttpCli(QObject* parent) : QObject(parent) {}

THttpCli::~THttpCli()
{
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
}

void THttpCli::Abort()
{
    if (!m_busy)
        return;
    m_abortAsked = true;
    m_stop = true;
}

bool THttpCli::Get(QIODevice* sink)
{
    const THTTPGet::Address address = THTTPGet::splitUrl(URL);
    if (m_busy || !sink || !address.valid)
        return false;
    if (m_worker.joinable())
        m_worker.join();

    CurlRequest request;
    request.host = address.host;
    request.port = address.port;
    request.target = address.target;
    request.agent = Agent.toUtf8();
    request.accept = Accept.toUtf8();
    request.noCache = NoCache;

    CurlRequest::initialiseOnce();
    m_busy = true;
    m_abortAsked = false;
    m_stop = false;
    m_worker = std::thread([this, request, sink]() mutable {
        qint64 received = 0;
        long finalStatus = 0;
        request.onHeaderLine = [this, &finalStatus](const QByteArray& line, long status) {
            if (!line.isEmpty()) {
                QMetaObject::invokeMethod(
                    this, [this, line] { emit OnHeaderData(line); }, Qt::QueuedConnection);
                return;
            }
            finalStatus = status;
            QMetaObject::invokeMethod(this, [this] { emit OnDocBegin(); }, Qt::QueuedConnection);
        };
        request.onBody = [this, sink, &received, &finalStatus](const char* data, size_t size) {
            // An error page is not the file: stop before it lands in the target.
            if (finalStatus < 200 || finalStatus > 299)
                return false;
            if (sink->write(data, qint64(size)) != qint64(size))
                return false;
            received += qint64(size);
            QMetaObject::invokeMethod(this, [this, received] {
                if (!m_abortAsked)
                    emit OnDocData(received);
            }, Qt::QueuedConnection);
            return true;
        };
        request.cancelled = [this] { return m_stop.load(); };
        const CurlRequest::Outcome outcome = request.run();

        bool ok = outcome.transferred && outcome.status >= 200 && outcome.status <= 299;
        int status = int(outcome.status);
        QString reason = outcome.error;
        if (m_stop) {
            ok = false;
            status = AbortedStatus;
            reason = AbortedReason;
        } else if (outcome.status >= 300) {
            ok = false;
            reason = QStringLiteral("HTTP status %1").arg(outcome.status);
        }
        QMetaObject::invokeMethod(
            this, [this, ok, status, reason] { done(ok, status, reason); }, Qt::QueuedConnection);
    });
    return true;
}

void THttpCli::done(bool ok, int status, const QString& reason)
{
    if (m_worker.joinable())
        m_worker.join();
    m_busy = false;
    emit OnRequestDone(ok, status, reason);
}
