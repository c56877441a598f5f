#pragma once

#include <QByteArray>
#include <cstddef>

// What a running HTTP request reports to, on the worker thread that runs it.
class CurlReceiver {
public:
    virtual ~CurlReceiver() = default;

    // A piece of the body; false stops the transfer (the outcome is then a failure).
    virtual bool body(const char* data, size_t size) = 0;
    // Each header line of every answer without its line break, the status line
    // included; the empty line that ends the headers is passed as well.
    virtual void headerLine(const QByteArray& line, long status) = 0;
    // Polled while the transfer runs, also while connecting; true ends it.
    virtual bool cancelled() const = 0;
};
