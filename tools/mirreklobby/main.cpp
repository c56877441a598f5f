// mirreklobby: the lobby stand-in.
//
//   mirreklobby [--port N] [--game PATH] [NAME HOST true|false]
//
// Listens on 127.0.0.1:9001 (or N; 0 picks a free port), starts the game with
// the three arguments if given, then takes commands on standard input (see
// "help"). Closing the link (command "end", "quit", Ctrl+C) ends the game.
#include "lobby.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// GLOOPDASH_APP, else the game beside this program or one folder up (the build
// tree), else gloopdash on the PATH.
QString findGame()
{
    const QString fromEnv = qEnvironmentVariable("GLOOPDASH_APP");
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {here.filePath(QStringLiteral("gloopdash")), here.filePath(QStringLiteral("../gloopdash"))})
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("gloopdash"));
    return onPath.isEmpty() ? QStringLiteral("gloopdash") : onPath;
}

void watchStandardInput(Lobby& lobby)
{
    auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &lobby);
    auto* pending = new QByteArray;
    QObject::connect(&lobby, &QObject::destroyed, [pending] { delete pending; });
    QObject::connect(notifier, &QSocketNotifier::activated, &lobby, [&lobby, notifier, pending] {
        char buffer[512];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            notifier->setEnabled(false);
            lobby.inputEnded();
            return;
        }
        pending->append(buffer, got);
        qsizetype end;
        while ((end = pending->indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending->left(end)).trimmed();
            pending->remove(0, end + 1);
            lobby.command(line);
        }
        if (pending->size() > 4096)
            pending->clear(); // no command is that long
    });
}

void watchStopSignals(Lobby& lobby)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &lobby);
    QObject::connect(notifier, &QSocketNotifier::activated, &lobby, [&lobby, notifier] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        notifier->setEnabled(false);
        lobby.quit();
    });
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    quint16 port = 9001;
    QString game;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        const QString value = args.isEmpty() ? QString() : args.takeFirst();
        bool ok = true;
        if (option == QLatin1String("--port"))
            port = quint16(value.toUShort(&ok));
        else if (option == QLatin1String("--game") && !value.isEmpty())
            game = value;
        else
            ok = false;
        if (!ok) {
            std::fprintf(stderr, "usage: mirreklobby [--port N] [--game PATH] [NAME HOST true|false]\n");
            return 2;
        }
    }
    if (!args.isEmpty() && args.size() != 3) {
        std::fprintf(stderr, "usage: mirreklobby [--port N] [--game PATH] [NAME HOST true|false]\n");
        return 2;
    }

    Lobby lobby(game.isEmpty() ? findGame() : game);
    if (!lobby.listen(port))
        return 1;
    QObject::connect(&lobby, &Lobby::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    watchStopSignals(lobby);
    watchStandardInput(lobby);
    if (args.size() == 3 && !lobby.startGame(args[0], args[1], args[2] == QLatin1String("true")))
        return 1;
    return app.exec();
}
