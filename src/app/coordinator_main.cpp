// gloopdash-coordinator: serves the internet list of tables from Redis (see --help).
#include "coordinator/coordinator_options.h"
#include "coordinator/coordinator_service.h"

#include <QCoreApplication>
#include <QStringList>
#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

namespace {

QStringList argumentList(int argc, char* argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

} // namespace

int main(int argc, char* argv[])
{
    const CoordinatorOptions::Parsed parsed = CoordinatorOptions::parse(argumentList(argc, argv));
    switch (parsed.action) {
    case CoordinatorOptions::Action::Help:
    case CoordinatorOptions::Action::Version: std::fputs(parsed.text.toLocal8Bit().constData(), stdout); return 0;
    case CoordinatorOptions::Action::Error: std::fputs(parsed.text.toLocal8Bit().constData(), stderr); return 2;
    case CoordinatorOptions::Action::Run: break;
    }
    const CoordinatorOptions& options = parsed.options;
    // SIGINT and SIGTERM are taken by a thread of their own, so no request
    // thread is interrupted in the middle of a Redis command.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    // A table that hangs up during its reachability check must not end us.
    std::signal(SIGPIPE, SIG_IGN);

    CoordinatorLog log(stdout);
    CoordinatorService::Settings settings;
    settings.redis = options.redis;
    CoordinatorService service(settings, log);
    httplib::Server server;
    service.mount(server);
    const int port = options.listenPort == 0
        ? server.bind_to_any_port(options.listenHost)
        : (server.bind_to_port(options.listenHost, options.listenPort) ? options.listenPort : -1);
    if (port <= 0) {
        log.line(QStringLiteral("cannot listen on %1:%2")
                     .arg(QString::fromStdString(options.listenHost))
                     .arg(options.listenPort));
        return 1;
    }
    log.line(QStringLiteral("listening on %1 port %2, Redis at %3:%4")
                 .arg(QString::fromStdString(options.listenHost))
                 .arg(port)
                 .arg(QString::fromStdString(options.redis.host))
                 .arg(options.redis.port));
    std::thread stopper([&server, &stopSignals, &log] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        log.line(QStringLiteral("stopping"));
        server.stop();
    });
    stopper.detach();
    server.listen_after_bind();
    return 0;
}
