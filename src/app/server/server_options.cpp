#include "server_options.h"
#include "gd_version.h"

#include "bot/bot_seats.h"

#include <QCommandLineParser>
#include <QHostAddress>

namespace {

struct Parser {
    QCommandLineParser cli;
    QCommandLineOption port{QStringLiteral("port"), QStringLiteral("TCP port to listen on (default 7772)."),
                            QStringLiteral("N"), QStringLiteral("7772")};
    QCommandLineOption listen{QStringLiteral("listen"),
                              QStringLiteral("Address to listen on (default: every IPv4 and IPv6 address)."),
                              QStringLiteral("ADDRESS")};
    QCommandLineOption winnersPath{QStringLiteral("winners-path"),
                                   QStringLiteral("Show the round winner's path: on (default) or off."),
                                   QStringLiteral("on|off"), QStringLiteral("on")};
    QCommandLineOption bots{QStringLiteral("bots"), QStringLiteral("Bot seats, 0 to 5 (default 0)."),
                            QStringLiteral("N"), QStringLiteral("0")};
    QCommandLineOption botLevel{QStringLiteral("bot-level"), QStringLiteral("easy, normal (default) or hard."),
                                QStringLiteral("LEVEL"), QStringLiteral("normal")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version.")};

    Parser()
    {
        cli.setApplicationDescription(
            QStringLiteral("Hosts one Gloop Dash table without a display. The player seated longest "
                           "holds the host's powers and starts the games."));
        cli.addOptions({port, listen, winnersPath, bots, botLevel, help, version});
    }
};

std::optional<int> number(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

// The options' values, or what is wrong with them.
QString readValues(const Parser& p, ServerOptions& out)
{
    const auto port = number(p.cli.value(p.port), 0, 65535);
    if (!port)
        return QStringLiteral("--port needs a number from 0 to 65535");
    out.port = quint16(*port);
    if (p.cli.isSet(p.listen)) {
        out.listen = p.cli.value(p.listen);
        if (QHostAddress(out.listen).isNull())
            return QStringLiteral("--listen needs an IPv4 or IPv6 address");
    }
    const QString path = p.cli.value(p.winnersPath);
    if (path != QLatin1String("on") && path != QLatin1String("off"))
        return QStringLiteral("--winners-path takes on or off");
    out.winnersPath = path == QLatin1String("on");
    const auto bots = number(p.cli.value(p.bots), 0, BotSeats::MaxBots);
    if (!bots)
        return QStringLiteral("--bots needs a number from 0 to %1").arg(BotSeats::MaxBots);
    out.bots = *bots;
    const auto level = BotLevels::parse(p.cli.value(p.botLevel));
    if (!level)
        return QStringLiteral("--bot-level takes easy, normal or hard");
    out.botLevel = *level;
    return {};
}

} // namespace

ServerOptions::Parsed ServerOptions::parse(const QStringList& arguments)
{
    Parser p;
    Parsed parsed;
    QString error;
    if (!p.cli.parse(arguments))
        error = p.cli.errorText();
    else if (p.cli.isSet(p.help))
        return {Action::Help, {}, p.cli.helpText()};
    else if (p.cli.isSet(p.version))
        return {Action::Version, {}, QStringLiteral("gloopdash-server " GD_VERSION_TEXT "\n")};
    else if (!p.cli.positionalArguments().isEmpty())
        error = QStringLiteral("unexpected argument %1").arg(p.cli.positionalArguments().first());
    else
        error = readValues(p, parsed.options);
    if (!error.isEmpty())
        return {Action::Error, {}, QStringLiteral("gloopdash-server: %1\n\n%2").arg(error, p.cli.helpText())};
    return parsed;
}
