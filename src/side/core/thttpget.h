#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <thread>

// The high-score getter: one HTTP/1.0 request at a time on a worker thread, the
// answer handed back on the thread that owns the object. A request asked for
// while one runs is dropped, not queued. Only a non-empty body counts as an
// answer; anything else raises OnError.
class THTTPGet : public QObject {
    Q_OBJECT
public:
    explicit THTTPGet(QObject* parent = nullptr);
    // A running request is told to stop; its answer is discarded.
    ~THTTPGet() override;

    QString URL;
    QString AcceptTypes = QStringLiteral("*/*");
    QString Agent = QStringLiteral("UtilMind HTTPGet");
    QString PostQuery; // non-empty sends a POST with this body
    bool BinaryData = false; // answer as bytes (OnDoneData) instead of text
    bool UseCache = false; // off asks every cache on the way to reload

    // Starts the request for URL; false (and nothing happens) while one runs or
    // when URL names no host.
    bool GetString();
    bool busy() const { return m_busy; }

    // Largest body accepted; a bigger answer is a failure, so a hostile server
    // cannot make the game hold an unbounded page.
    static constexpr qsizetype MaxBody = 8 * 1024 * 1024;

    struct Address {
        QByteArray host;
        quint16 port = 80;
        QByteArray target;
        bool valid = false;
    };
    // "http://" (any case) is dropped when the URL starts with it; the host is the
    // text before the first "/", optionally with ":port"; the target is the rest
    // from that "/" on. Non-ASCII in the target is sent as UTF-8 bytes.
    static Address splitUrl(const QString& url);

signals:
    void OnDoneString(const QString& text);
    void OnDoneData(const QByteArray& data);
    void OnError();

private:
    void finish(const QByteArray& body, bool ok);
    void joinWorker();

    bool m_busy = false;
    std::atomic<bool> m_stop{false};
    std::thread m_worker;
};
