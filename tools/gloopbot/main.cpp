#include "bot.h"

#include "gd_version.h"
#include "net/game_random.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace {
bool parseHost(const QString& text, BotOptions& options)
{
    const qsizetype colon = text.lastIndexOf(':');
    options.host = colon < 0 ? text : text.left(colon);
    if (colon < 0)
        return !options.host.isEmpty();
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    options.port = quint16(port);
    return ok && port > 0 && port <= 65535 && !options.host.isEmpty();
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays one game of Gloop Dash headless and prints its final score."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("host"), QStringLiteral("HOST[:PORT] of the game server (port 7772)"));
    parser.addPositionalArgument(QStringLiteral("name"), QStringLiteral("player name"));
    const QCommandLineOption start(QStringLiteral("start"), QStringLiteral("Start a game: 1 standard, 2 classic."), QStringLiteral("mode"));
    const QCommandLineOption players(QStringLiteral("players"), QStringLiteral("Players to wait for before starting (default 1)."), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption strategy(QStringLiteral("strategy"), QStringLiteral("random or greedy (default)."), QStringLiteral("kind"), QStringLiteral("greedy"));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Milliseconds before each pick (default 200)."), QStringLiteral("ms"), QStringLiteral("200"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the bot's choices."), QStringLiteral("n"));
    const QCommandLineOption version(QStringLiteral("game-version"), QStringLiteral("Version text sent at login (default " GD_VERSION_TEXT ")."), QStringLiteral("text"), QStringLiteral(GD_VERSION_TEXT));
    parser.addOptions({start, players, strategy, delay, seed, version});
    parser.process(app);

    BotOptions options;
    const QStringList args = parser.positionalArguments();
    bool ok = args.size() == 2 && parseHost(args[0], options);
    if (ok) {
        options.name = args[1].toUtf8();
        options.version = parser.value(version).toUtf8();
        options.startMode = parser.isSet(start) ? parser.value(start).toInt(&ok) : 0;
        ok = ok && options.startMode >= 0 && options.startMode <= 2;
        options.players = parser.value(players).toInt();
        options.delayMs = qMax(0, parser.value(delay).toInt());
        const QString kind = parser.value(strategy);
        ok = ok && (kind == QLatin1String("greedy") || kind == QLatin1String("random"));
        options.strategy = kind == QLatin1String("random") ? BotBoard::Strategy::Random : BotBoard::Strategy::Greedy;
    }
    if (!ok) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.helpText()));
        return 64;
    }
    if (parser.isSet(seed))
        GameRandom::seed(parser.value(seed).toUInt());
    else
        GameRandom::seedFromClock();

    Bot bot(options);
    QObject::connect(&bot, &Bot::finished, &app, [](int code) { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    QTimer::singleShot(0, &bot, &Bot::start);
    return app.exec();
}
