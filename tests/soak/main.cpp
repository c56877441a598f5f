// gloopdash_soak: keeps a game server busy with six gloopbot players, two
// watchers, a flooder and a garbage client for a number of minutes, full games
// back to back, and prints what it saw. Not part of the test suite; tests/soak/run
// builds and starts it.
//   gloopdash_soak [--minutes N] [--seconds N] [--bot PATH] [--mode 1|2]
//                  [--delay MS] [--no-path]
//   gloopdash_soak --serve [--no-path]     (the hosting process it starts)
#include "soak_driver.h"

#include "base/game_mode.h"
#include "net/game_random.h"
#include "server/host_options.h"
#include "server/server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

int serve(bool winnersPath)
{
    GameRandom::seedFromClock();
    FixedHostOptions host;
    host.winnersPath = winnersPath;
    Server server(host, 0);
    server.listen();
    std::printf("port %u\n", unsigned(server.port()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Soak run of the game server."));
    parser.addHelpOption();
    const QCommandLineOption serveOption(QStringLiteral("serve"),
                                         QStringLiteral("Host the server (used by the run itself)."));
    const QCommandLineOption minutes(QStringLiteral("minutes"), QStringLiteral("Length of the run (default 10)."),
                                     QStringLiteral("n"), QStringLiteral("10"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Length of the run in seconds."),
                                     QStringLiteral("n"));
    const QCommandLineOption bot(QStringLiteral("bot"), QStringLiteral("The gloopbot program."),
                                 QStringLiteral("path"));
    const QCommandLineOption mode(QStringLiteral("mode"), QStringLiteral("Game mode: 1 standard (default), 2 classic."),
                                  QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Bots' delay before each pick in ms (default 40)."),
                                   QStringLiteral("ms"), QStringLiteral("40"));
    const QCommandLineOption noPath(QStringLiteral("no-path"),
                                    QStringLiteral("Host without the winner's path (shorter pauses)."));
    parser.addOptions({serveOption, minutes, seconds, bot, mode, delay, noPath});
    parser.process(app);

    if (parser.isSet(serveOption))
        return serve(!parser.isSet(noPath));

    SoakOptions options;
    options.seconds =
        parser.isSet(seconds) ? parser.value(seconds).toLongLong() : parser.value(minutes).toLongLong() * 60;
    options.self = QCoreApplication::applicationFilePath();
    const QString toolsDir =
        qEnvironmentVariable("GD_TOOLS_DIR", QCoreApplication::applicationDirPath() + QStringLiteral("/../../tools"));
    options.bot = parser.isSet(bot) ? parser.value(bot) : QDir(toolsDir).filePath(QStringLiteral("gloopbot/gloopbot"));
    options.mode = parser.value(mode).toInt();
    options.botDelayMs = parser.value(delay).toInt();
    options.winnersPath = !parser.isSet(noPath);
    if (options.seconds <= 0 || !GameModes::isMode(options.mode) || !QFile::exists(options.bot)) {
        std::fprintf(stderr, "%s\nno gloopbot at %s?\n", qPrintable(parser.helpText()), qPrintable(options.bot));
        return 64;
    }

    SoakDriver driver(options);
    QObject::connect(
        &driver, &SoakDriver::finished, &app, [](int code) { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    driver.start();
    return QCoreApplication::exec();
}
