#pragma once

#include "redis_link.h"

#include <QString>
#include <QStringList>
#include <string>

// How gloopdash-coordinator was asked to run.
struct CoordinatorOptions {
    std::string listenHost = "127.0.0.1";
    // 0 picks a free port (tests); the first log line names the one taken.
    int listenPort = 8090;
    RedisAddress redis;

    enum class Action { Run, Help, Version, Error };
    struct Parsed;
    // `arguments` includes the program name first.
    static Parsed parse(const QStringList& arguments);
    // "HOST:PORT" or "[IPv6]:PORT"; false when malformed.
    static bool splitHostPort(const QString& text, std::string& host, int& port);
};

struct CoordinatorOptions::Parsed {
    Action action = Action::Run;
    CoordinatorOptions options;
    // Help text, version line, or error plus usage.
    QString text;
};
