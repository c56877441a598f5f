#pragma once

#include "side/core/curl_request.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <thread>

class QIODevice;

// The download client: an HTTP/1.0 GET whose body is written into a device as
// it arrives, on a worker thread, with the notifications handed back on the
// thread that owns the object, so the windows stay usable while it runs.
class THttpCli : public QObject {
    Q_OBJECT
public:
    explicit THttpCli(QObject* parent = nullptr);
    // A running download is aborted and waited for; no notification follows.
    ~THttpCli() override;

    QString URL;
    QString Agent = QStringLiteral("Mozilla/3.0 (compatible)");
    QString Accept = QStringLiteral("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    bool NoCache = false;

    // Starts the GET; the body goes into `sink`, which must stay open and
    // untouched until OnRequestDone. Up to MaxRedirects redirects to other
    // http addresses are followed. False (nothing started) while a download
    // runs or when URL names no host.
    bool Get(QIODevice* sink);
    // Asks a running download to stop; it then ends with OnRequestDone(false, 404, ...).
    void Abort();
    // Stops a running download and waits for it; no notification follows.
    void AbortAndWait();
    bool busy() const { return m_busy; }

    static constexpr int MaxRedirects = 5;
    static constexpr int AbortedStatus = 404;
    static inline const QString AbortedReason = QStringLiteral("Connection aborted on request");

signals:
    void OnHeaderData(const QByteArray& line);
    void OnDocBegin();
    void OnDocData(qint64 received);
    // ok is true only for a whole body with a 2xx status. `status` is the
    // server's, or AbortedStatus after Abort; `reason` says what went wrong.
    void OnRequestDone(bool ok, int status, const QString& reason);

private:
    // On the worker thread.
    class Receiver;
    void work(CurlRequest request, QIODevice* sink, int download);
    void finish(const CurlRequest::Outcome& outcome, int download);
    static bool isRedirect(long status);
    // Points request at the Location of a redirect; false when it leaves http.
    static bool redirect(CurlRequest& request, const QByteArray& location);

    void done(bool ok, int status, const QString& reason);

    bool m_busy = false;
    int m_download = 0; // UI side: numbers the downloads, so a stale end is ignored
    bool m_abortAsked = false; // UI side: drop progress that was already on its way
    std::atomic<bool> m_stop{false};
    std::thread m_worker;
};
