#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// One HTTP/1.0 request through libcurl, run to its end on the calling thread.
// The getter and the download client both run it on a worker thread and pass the
// pieces back to the user-interface thread themselves.
struct CurlRequest {
    QByteArray host;           // without port
    quint16 port = 80;
    QByteArray target = "/";   // request target, sent as it is (query included)
    QByteArray agent;
    QByteArray accept;
    bool noCache = false;      // adds "Pragma: no-cache" and "Cache-Control: no-cache"
    QByteArray post;           // non-empty: a POST with this form body instead of a GET

    // A piece of the body; false stops the transfer (the outcome is then a failure).
    std::function<bool(const char* data, size_t size)> onBody;
    // Each header line of every answer without its line break, the status line
    // included; the empty line that ends the headers is passed as well.
    std::function<void(const QByteArray& line, long status)> onHeaderLine;
    // Polled while the transfer runs, also while connecting; true ends it.
    std::function<bool()> cancelled;

    struct Outcome {
        bool transferred = false;  // the whole answer arrived (any status)
        bool cancelled = false;
        long status = 0;           // HTTP status of the last answer, 0 if none
        QString error;             // libcurl's text when not transferred
    };
    Outcome run() const;

    // libcurl must be set up once before the first worker thread uses it.
    static void initialiseOnce();
};
