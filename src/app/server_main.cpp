// gloopdash-server: hosts one table without a display (see --help).
#include "app/server/admin_client.h"
#include "app/server/dedicated_server.h"
#include "app/server/stop_signals.h"

#include "bot/bot_level.h"
#include "net/game_random.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Qt's own poll loop rather than the desktop's main loop, which a table
    // without a display has no use for: it runs the timers that fall due while
    // a wake-up's reads are handled in that same wake-up, so a pick is read,
    // served and answered with one poll of the table's sockets instead of two.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gloopdash-server"));
    const ServerOptions::Parsed parsed = ServerOptions::parse(QCoreApplication::arguments());
    switch (parsed.action) {
    case ServerOptions::Action::Help:
    case ServerOptions::Action::Version: std::fputs(parsed.text.toLocal8Bit().constData(), stdout); return 0;
    case ServerOptions::Action::Error: std::fputs(parsed.text.toLocal8Bit().constData(), stderr); return 2;
    case ServerOptions::Action::Run: break;
    }
    const ServerOptions& options = parsed.options;
    if (!options.command.isEmpty())
        return AdminClient::run(options.admin, options.command, stdout, stderr);

    GameRandom::seedFromClock();
    StopSignals stopSignals;
    DedicatedServer table(options, stdout);
    table.setBotSpeed(BotLevels::paceFromEnvironment());
    if (!table.start())
        return 1;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &table, [&table] {
        table.stop();
        // An internet list that does not answer must not keep the table from ending.
        QTimer::singleShot(3000, qApp, &QCoreApplication::quit);
    });
    // Leave the closed connections a moment to hand over their last bytes.
    QObject::connect(&table, &DedicatedServer::stopped, qApp,
                     [] { QTimer::singleShot(200, qApp, &QCoreApplication::quit); });
    return QCoreApplication::exec();
}
