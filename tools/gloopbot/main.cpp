#include "base/game_mode.h"
#include "bot/bot.h"

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

std::optional<BotBoard::Strategy> strategyNamed(const QString& kind)
{
    if (kind == QLatin1String("random"))
        return BotBoard::Strategy::Random;
    if (kind == QLatin1String("greedy"))
        return BotBoard::Strategy::Greedy;
    if (kind == QLatin1String("best"))
        return BotBoard::Strategy::Best;
    return std::nullopt;
}

// The game mode --start names, 0 (never start) when it is not given; false for
// a value that names no mode.
bool startModeFrom(const QCommandLineParser& parser, const QCommandLineOption& start, int& mode)
{
    mode = 0;
    if (!parser.isSet(start))
        return true;
    bool ok = false;
    mode = parser.value(start).toInt(&ok);
    return ok && (mode == 0 || GameModes::isMode(mode));
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays one game of Gloop Dash headless and prints its final score."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("host"), QStringLiteral("HOST[:PORT] of the game server (port 7772)"));
    parser.addPositionalArgument(QStringLiteral("name"), QStringLiteral("player name"));
    const QCommandLineOption start(QStringLiteral("start"), QStringLiteral("Start a game: 1 standard, 2 classic."),
                                   QStringLiteral("mode"));
    const QCommandLineOption players(QStringLiteral("players"),
                                     QStringLiteral("Players to wait for before starting (default 1)."),
                                     QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption strategy(QStringLiteral("strategy"), QStringLiteral("random, greedy (default) or best."),
                                      QStringLiteral("kind"), QStringLiteral("greedy"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Milliseconds before each pick (default 200)."), QStringLiteral("ms"),
                                   QStringLiteral("200"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the bot's choices."),
                                  QStringLiteral("n"));
    const QCommandLineOption version(QStringLiteral("game-version"),
                                     QStringLiteral("Version text sent at login (default " GD_VERSION_TEXT ")."),
                                     QStringLiteral("text"), QStringLiteral(GD_VERSION_TEXT));
    parser.addOptions({start, players, strategy, delay, seed, version});
    parser.process(app);

    BotOptions options;
    const QStringList args = parser.positionalArguments();
    bool ok = args.size() == 2 && parseHost(args[0], options);
    const auto kind = strategyNamed(parser.value(strategy));
    if (ok) {
        options.name = args[1].toUtf8();
        options.version = parser.value(version).toUtf8();
        ok = startModeFrom(parser, start, options.startMode) && kind;
        options.players = parser.value(players).toInt();
        const int ms = qMax(0, parser.value(delay).toInt());
        options.pace = {ms, ms};
        options.strategy = kind.value_or(BotBoard::Strategy::Greedy);
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
    QObject::connect(
        &bot, &Bot::finished, &app,
        [](int code, const QString& line) {
            std::FILE* out = code == 0 ? stdout : stderr;
            std::fprintf(out, "%s\n", line.toLocal8Bit().constData());
            std::fflush(out);
            QCoreApplication::exit(code);
        },
        Qt::QueuedConnection);
    QTimer::singleShot(0, &bot, &Bot::start);
    return app.exec();
}
