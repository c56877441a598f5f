#include "side/core/thttpcli.h"

#include "side/core/curl_request.h"
#include "side/core/thttpget.h"

#include <QIODevice>
#include <QMetaObject>
#include <QUrl>

THttpCli::THttpCli(QObject* parent) : QObject(parent)
{
}

THttpCli::~THttpCli()
{
    AbortAndWait();
}

void THttpCli::AbortAndWait()
{
    m_stop = true;
    m_abortAsked = true;
    if (m_worker.joinable())
        m_worker.join();
    // What the worker posted on its way out refers to a download that is over.
    m_busy = false;
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
    m_worker = std::thread([this, request, sink, download = ++m_download] { work(request, sink, download); });
    return true;
}

// Writes the body of a 2xx answer into the sink and hands the headers and
// the progress back to the owner's thread; keeps the Location of a redirect.
class THttpCli::Receiver final : public CurlReceiver {
public:
    Receiver(THttpCli& owner, QIODevice& sink) : m_owner(owner), m_sink(sink) { }

    QByteArray location;

    void headerLine(const QByteArray& line, long status) override
    {
        if (line.startsWith("HTTP/"))
            location.clear(); // each answer of a redirect chain has its own
        else if (line.left(9).toLower() == "location:")
            location = line.mid(9).trimmed();
        THttpCli* owner = &m_owner;
        if (!line.isEmpty()) {
            QMetaObject::invokeMethod(
                owner, [owner, line] { emit owner->OnHeaderData(line); }, Qt::QueuedConnection);
            return;
        }
        m_finalStatus = status;
        QMetaObject::invokeMethod(
            owner, [owner] { emit owner->OnDocBegin(); }, Qt::QueuedConnection);
    }

    bool body(const char* data, size_t size) override
    {
        // An error page or a redirect's note is not the file: keep it out of the target.
        if (m_finalStatus < 200 || m_finalStatus > 299)
            return false;
        if (m_sink.write(data, qint64(size)) != qint64(size))
            return false;
        m_received += qint64(size);
        THttpCli* owner = &m_owner;
        QMetaObject::invokeMethod(
            owner,
            [owner, received = m_received] {
                if (!owner->m_abortAsked)
                    emit owner->OnDocData(received);
            },
            Qt::QueuedConnection);
        return true;
    }

    bool cancelled() const override { return m_owner.m_stop.load(); }

private:
    THttpCli& m_owner;
    QIODevice& m_sink;
    qint64 m_received = 0;
    long m_finalStatus = 0;
};

void THttpCli::work(CurlRequest request, QIODevice* sink, int download)
{
    Receiver receiver(*this, *sink);
    CurlRequest::Outcome outcome = request.run(receiver);
    // Redirects are followed on plain http only, a few hops at most; nothing of
    // a redirect's own answer reaches the file.
    for (int hop = 0; !m_stop && isRedirect(outcome.status) && !receiver.location.isEmpty(); ++hop) {
        if (hop == MaxRedirects || !redirect(request, receiver.location))
            break;
        outcome = request.run(receiver);
    }
    finish(outcome, download);
}

void THttpCli::finish(const CurlRequest::Outcome& outcome, int download)
{
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
        this,
        [this, ok, status, reason, download] {
            // A download given up by AbortAndWait says nothing more.
            if (download == m_download && m_busy)
                done(ok, status, reason);
        },
        Qt::QueuedConnection);
}

bool THttpCli::isRedirect(long status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool THttpCli::redirect(CurlRequest& request, const QByteArray& location)
{
    const QByteArray host = request.host.contains(':') ? "[" + request.host + "]" : request.host;
    const QUrl current(QString::fromLatin1("http://" + host + ":" + QByteArray::number(request.port) + request.target));
    const QUrl next = current.resolved(QUrl::fromEncoded(location));
    if (!next.isValid() || next.scheme() != QLatin1String("http") || next.host().isEmpty())
        return false;
    const THTTPGet::Address address = THTTPGet::splitUrl(next.toString(QUrl::FullyEncoded));
    if (!address.valid)
        return false;
    request.host = address.host;
    request.port = address.port;
    request.target = address.target;
    return true;
}

void THttpCli::done(bool ok, int status, const QString& reason)
{
    if (m_worker.joinable())
        m_worker.join();
    m_busy = false;
    emit OnRequestDone(ok, status, reason);
}
