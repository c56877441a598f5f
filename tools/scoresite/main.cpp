// gloopdash-scoresite: plays the maker's web server for Gloop Dash on this
// machine: score pages, score scripts and the lobby installer.
//
//   gloopdash-scoresite [--listen HOST:PORT] [--db FILE] [--installer FILE]
//
// Defaults: 127.0.0.1:8080, scoresite.db in the current folder, a built-in
// stand-in installer. Port 0 picks a free port; the address actually used is
// printed as the first line on standard output. Ctrl+C or SIGTERM stops it.
#include "score_site.h"
#include "score_store.h"

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <pthread.h>
#include <string>
#include <thread>

namespace {

struct Options {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::string db = "scoresite.db";
    std::string installer;
};

bool parseListen(const std::string& text, Options& o)
{
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    try {
        size_t used = 0;
        const int port = std::stoi(text.substr(colon + 1), &used);
        if (used != text.size() - colon - 1 || port < 0 || port > 65535)
            return false;
        o.host = text.substr(0, colon);
        o.port = port;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--listen" && hasValue) {
            if (!parseListen(argv[++i], o))
                return false;
        } else if (arg == "--db" && hasValue) {
            o.db = argv[++i];
        } else if (arg == "--installer" && hasValue) {
            o.installer = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: gloopdash-scoresite [--listen HOST:PORT] [--db FILE] [--installer FILE]\n";
        return 2;
    }
    // Ctrl+C and SIGTERM are taken by a thread of their own, so the server's
    // threads are never interrupted in the middle of a database write.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    try {
        ScoreStore store(options.db);
        ScoreSite site(store, options.installer);
        httplib::Server server;
        site.mount(server);

        const int port = options.port == 0 ? server.bind_to_any_port(options.host)
                                           : (server.bind_to_port(options.host, options.port) ? options.port : -1);
        if (port <= 0) {
            std::cerr << "gloopdash-scoresite: cannot listen on " << options.host << ":" << options.port << "\n";
            return 1;
        }
        std::cout << "gloopdash-scoresite listening on http://" << options.host << ":" << port << std::endl;

        std::thread stopper([&server, &stopSignals] {
            int signal = 0;
            sigwait(&stopSignals, &signal);
            server.stop();
        });
        stopper.detach();
        server.listen_after_bind();
    } catch (const std::exception& e) {
        std::cerr << "gloopdash-scoresite: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
