#pragma once

#include "side/core/curl_receiver.h"

#include <QByteArray>
#include <QString>

// One HTTP/1.0 request through libcurl, run to its end on the calling thread.
// The getter and the download client both run it on a worker thread and pass the
// pieces back to the user-interface thread themselves.
struct CurlRequest {
    QByteArray host; // without port
    quint16 port = 80;
    QByteArray target = "/"; // request target, sent as it is (query included)
    QByteArray agent;
    QByteArray accept;
    bool noCache = false; // adds "Pragma: no-cache" and "Cache-Control: no-cache"
    QByteArray post; // non-empty: a POST with this form body instead of a GET

    struct Outcome {
        bool transferred = false; // the whole answer arrived (any status)
        bool cancelled = false;
        long status = 0; // HTTP status of the last answer, 0 if none
        QString error; // libcurl's text when not transferred
    };
    // Runs the request, reporting body, headers and the polls to `receiver`.
    Outcome run(CurlReceiver& receiver) const;

    // libcurl must be set up once before the first worker thread uses it.
    static void initialiseOnce();
};
