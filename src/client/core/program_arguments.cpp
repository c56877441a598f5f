#include "program_arguments.h"

#include "game_address.h"

namespace {

const QString PortOption = QStringLiteral("--port");

} // namespace

ProgramArguments ProgramArguments::parse(const QStringList& arguments)
{
    ProgramArguments line;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--help")) {
            line.help = true;
        } else if (a == QLatin1String("--version")) {
            line.version = true;
        } else if (a == PortOption || a.startsWith(PortOption + QLatin1Char('='))) {
            const QString value = a == PortOption ? arguments.value(++i) : a.mid(PortOption.size() + 1);
            line.port = parsePort(value);
            if (!line.port)
                line.error = QStringLiteral("--port needs a number from 1 to 65535, not \"%1\"").arg(value);
        } else {
            line.players << a;
        }
    }
    return line;
}

QString ProgramArguments::usage()
{
    return QStringLiteral("Usage: gloopdash [NAME ADDRESS HOST-FLAG] [--port N]\n"
                          "\n"
                          "Without arguments the game starts a solo game as \"You\".\n"
                          "\n"
                          "  NAME HOST[:PORT] false    join the game hosted at HOST (port 7772 unless given;\n"
                          "                            write IPv6 addresses as [address]:port)\n"
                          "  NAME ADDRESS true         host a game on port 7772 (or the one --port gives)\n"
                          "  --port N                  the port to host on\n"
                          "  --help                    show this text and exit\n"
                          "  --version                 show the game's version and exit\n"
                          "\n"
                          "Games can also be hosted and joined from the File menu.\n");
}
