#include "server_options.h"
#include "gd_version.h"

#include "bot/bot_seats.h"
#include "server/player_names.h"

#include <QCommandLineParser>
#include <QHostAddress>
#include <QSysInfo>

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
    QCommandLineOption name{QStringLiteral("name"),
                            QStringLiteral("The table's name in the game lists of the network (default: this "
                                           "machine's host name)."),
                            QStringLiteral("NAME")};
    QCommandLineOption noDiscovery{QStringLiteral("no-discovery"),
                                   QStringLiteral("Do not answer those who look for games on the network.")};
    QCommandLineOption admin{QStringLiteral("admin"),
                             QStringLiteral("Operator's console: a Unix socket at PATH, for the owner only."),
                             QStringLiteral("PATH")};
    QCommandLineOption bans{QStringLiteral("bans"),
                            QStringLiteral("Keep the ban list in FILE, so bans outlive a restart."),
                            QStringLiteral("FILE")};
    QCommandLineOption command{QStringLiteral("command"),
                               QStringLiteral("With --admin: send TEXT to that running table, print the answer."),
                               QStringLiteral("TEXT")};
    QCommandLineOption registerUrl{QStringLiteral("register"),
                                   QStringLiteral("List the table on the internet table list at URL "
                                                  "(for example http://list.example:8090)."),
                                   QStringLiteral("URL")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version.")};

    Parser()
    {
        cli.setApplicationDescription(
            QStringLiteral("Hosts one Gloop Dash table without a display. The player seated longest "
                           "holds the host's powers and starts the games."));
        cli.addOptions({port, listen, winnersPath, bots, botLevel, name, noDiscovery, registerUrl, admin, bans, command,
                        help, version});
    }
};

std::optional<int> number(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

// The operator's console and ban file, or what is wrong with them.
QString readConsole(const Parser& p, ServerOptions& out)
{
    out.admin = p.cli.value(p.admin);
    out.bans = p.cli.value(p.bans);
    out.command = p.cli.value(p.command);
    if (p.cli.isSet(p.command) && out.admin.isEmpty())
        return QStringLiteral("--command needs --admin PATH");
    if ((p.cli.isSet(p.admin) && out.admin.isEmpty()) || (p.cli.isSet(p.bans) && out.bans.isEmpty()))
        return QStringLiteral("--admin and --bans need a path");
    return {};
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
    out.name = ServerOptions::cleanName(p.cli.isSet(p.name) ? p.cli.value(p.name) : QSysInfo::machineHostName());
    if (p.cli.isSet(p.registerUrl)) {
        out.registerUrl = QUrl(p.cli.value(p.registerUrl), QUrl::StrictMode);
        const QString scheme = out.registerUrl.scheme();
        if (!out.registerUrl.isValid() || out.registerUrl.host().isEmpty()
            || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
            return QStringLiteral("--register needs an http:// or https:// address");
    }
    out.discovery = !p.cli.isSet(p.noDiscovery);
    return readConsole(p, out);
}

} // namespace

QString ServerOptions::cleanName(const QString& typed)
{
    return QString::fromUtf8(PlayerNames::clean(typed.toUtf8()));
}

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
