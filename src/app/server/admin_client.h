#pragma once

#include <QString>
#include <cstdio>

// `gloopdash-server --admin PATH --command TEXT`: sends one command to a
// running table's console and prints its answer.
class AdminClient {
public:
    // How long to wait for the table to connect and to answer.
    static constexpr int WaitMs = 5000;

    // The exit code: 0 when the answer starts "ok", 1 when it starts
    // "error", 2 when the table could not be reached or did not answer.
    static int run(const QString& path, const QString& command, std::FILE* out, std::FILE* err);
};
