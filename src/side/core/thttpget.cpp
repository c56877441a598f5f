#include "side/core/thttpget.h"

#include "side/core/curl_request.h"

#include <QMetaObject>

namespace {

// Gathers a page up to THTTPGet::MaxBody; headers are of no interest here.
class PageReceiver final : public CurlReceiver {
public:
    explicit PageReceiver(const std::atomic<bool>& stop) : m_stop(stop) { }

    bool body(const char* data, size_t size) override
    {
        if (m_page.size() + qsizetype(size) > THTTPGet::MaxBody)
            return false;
        m_page.append(data, qsizetype(size));
        return true;
    }
    void headerLine(const QByteArray&, long) override { }
    bool cancelled() const override { return m_stop.load(); }

    const QByteArray& page() const { return m_page; }

private:
    const std::atomic<bool>& m_stop;
    QByteArray m_page;
};

} // namespace

THTTPGet::THTTPGet(QObject* parent) : QObject(parent)
{
}

THTTPGet::~THTTPGet()
{
    m_stop = true;
    joinWorker();
}

void THTTPGet::joinWorker()
{
    if (m_worker.joinable())
        m_worker.join();
}

THTTPGet::Address THTTPGet::splitUrl(const QString& url)
{
    Address a;
    QString rest = url.trimmed();
    if (rest.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        rest.remove(0, 7);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    const QString hostPart = slash < 0 ? rest : rest.left(slash);
    a.target = slash < 0 ? QByteArray("/") : rest.mid(slash).toUtf8();

    QString host = hostPart;
    const qsizetype colon = hostPart.lastIndexOf(QLatin1Char(':'));
    const bool bracketed = hostPart.startsWith(QLatin1Char('['));
    if (colon > 0 && (!bracketed || hostPart.at(colon - 1) == QLatin1Char(']'))) {
        bool ok = false;
        const uint port = hostPart.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 65535)
            return a;
        a.port = quint16(port);
        host = hostPart.left(colon);
    }
    if (bracketed && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    a.host = host.toUtf8();
    // A host with blanks, control bytes or further separators cannot be asked for.
    for (const char ch : a.host)
        if (uchar(ch) <= ' ' || ch == '/' || ch == '?' || ch == '#' || ch == '@')
            return a;
    for (const char ch : a.target)
        if (uchar(ch) <= ' ' || ch == 0x7f)
            return a;
    a.valid = !a.host.isEmpty();
    return a;
}

bool THTTPGet::GetString()
{
    if (m_busy)
        return false;
    const Address address = splitUrl(URL);
    if (!address.valid)
        return false;
    joinWorker(); // the previous worker has posted its answer and is ending

    CurlRequest request;
    request.host = address.host;
    request.port = address.port;
    request.target = address.target;
    request.agent = Agent.toUtf8();
    request.accept = AcceptTypes.toUtf8();
    request.noCache = !UseCache;
    request.post = PostQuery.toUtf8();

    CurlRequest::initialiseOnce();
    m_busy = true;
    m_stop = false;
    m_worker = std::thread([this, request] {
        PageReceiver page(m_stop);
        const CurlRequest::Outcome outcome = request.run(page);
        if (m_stop)
            return; // the owner is going away: nobody wants the answer
        const bool ok = outcome.transferred;
        QMetaObject::invokeMethod(
            this, [this, body = page.page(), ok] { finish(body, ok); }, Qt::QueuedConnection);
    });
    return true;
}

void THTTPGet::finish(const QByteArray& body, bool ok)
{
    joinWorker();
    m_busy = false;
    // A failed transfer may still have delivered part of a page; only a whole,
    // non-empty answer replaces what is shown.
    if (!ok || body.isEmpty()) {
        emit OnError();
        return;
    }
    if (BinaryData)
        emit OnDoneData(body);
    else
        emit OnDoneString(QString::fromUtf8(body));
}
