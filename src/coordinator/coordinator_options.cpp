#include "coordinator_options.h"
#include "gd_version.h"

#include <QCommandLineParser>

namespace {

struct Parser {
    QCommandLineParser cli;
    QCommandLineOption listen{QStringLiteral("listen"),
                              QStringLiteral("Address and port to serve HTTP on (default 127.0.0.1:8090)."),
                              QStringLiteral("ADDRESS:PORT"), QStringLiteral("127.0.0.1:8090")};
    QCommandLineOption redis{QStringLiteral("redis"),
                             QStringLiteral("Redis to keep the list in (default 127.0.0.1:6379)."),
                             QStringLiteral("HOST:PORT"), QStringLiteral("127.0.0.1:6379")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version.")};

    Parser()
    {
        cli.setApplicationDescription(
            QStringLiteral("Serves the internet list of Gloop Dash tables over HTTP, kept in Redis. Any "
                           "number of coordinators may share one Redis."));
        cli.addOptions({listen, redis, help, version});
    }
};

QString readValues(const Parser& p, CoordinatorOptions& out)
{
    if (!CoordinatorOptions::splitHostPort(p.cli.value(p.listen), out.listenHost, out.listenPort))
        return QStringLiteral("--listen needs ADDRESS:PORT, the port from 0 to 65535");
    int redisPort = 0;
    if (!CoordinatorOptions::splitHostPort(p.cli.value(p.redis), out.redis.host, redisPort) || redisPort == 0)
        return QStringLiteral("--redis needs HOST:PORT, the port from 1 to 65535");
    out.redis.port = redisPort;
    return {};
}

} // namespace

bool CoordinatorOptions::splitHostPort(const QString& text, std::string& host, int& port)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon <= 0)
        return false;
    QString name = text.left(colon);
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    bool ok = false;
    const int number = text.mid(colon + 1).toInt(&ok);
    if (!ok || number < 0 || number > 65535 || name.isEmpty() || name.contains(u'[') || name.contains(u']'))
        return false;
    host = name.toStdString();
    port = number;
    return true;
}

CoordinatorOptions::Parsed CoordinatorOptions::parse(const QStringList& arguments)
{
    Parser p;
    Parsed parsed;
    QString error;
    if (!p.cli.parse(arguments))
        error = p.cli.errorText();
    else if (p.cli.isSet(p.help))
        return {Action::Help, {}, p.cli.helpText()};
    else if (p.cli.isSet(p.version))
        return {Action::Version, {}, QStringLiteral("gloopdash-coordinator " GD_VERSION_TEXT "\n")};
    else if (!p.cli.positionalArguments().isEmpty())
        error = QStringLiteral("unexpected argument %1").arg(p.cli.positionalArguments().first());
    else
        error = readValues(p, parsed.options);
    if (!error.isEmpty())
        return {Action::Error, {}, QStringLiteral("gloopdash-coordinator: %1\n\n%2").arg(error, p.cli.helpText())};
    return parsed;
}
