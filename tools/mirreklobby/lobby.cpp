#include "lobby.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QTextStream>

#include <cstdio>

Lobby::Lobby(QString gamePath, QObject* parent) : QObject(parent), m_gamePath(std::move(gamePath))
{
    connect(&m_server, &QTcpServer::newConnection, this, &Lobby::accept);
}

Lobby::~Lobby()
{
    closeLinks();
}

QString Lobby::usage()
{
    return QStringLiteral("commands:\n"
                          "  host NAME        start a game that NAME hosts on this machine\n"
                          "  join NAME HOST   start a game that joins the host at address HOST\n"
                          "  end              close the link, which ends the running game\n"
                          "  quit             end the running game and the lobby\n");
}

void Lobby::say(const QString& text) const
{
    std::fprintf(stdout, "%s\n", qPrintable(text));
    std::fflush(stdout);
}

bool Lobby::listen(quint16 port)
{
    if (!m_server.listen(QHostAddress::LocalHost, port)) {
        std::fprintf(stderr, "mirreklobby: cannot listen on 127.0.0.1:%u: %s\n", port,
                     qPrintable(m_server.errorString()));
        return false;
    }
    say(QStringLiteral("mirreklobby listening on 127.0.0.1:%1").arg(m_server.serverPort()));
    return true;
}

void Lobby::accept()
{
    while (QTcpSocket* link = m_server.nextPendingConnection()) {
        m_links.append(link);
        // The game never speaks on the link; anything that arrives is dropped.
        connect(link, &QTcpSocket::readyRead, link, [link] { link->readAll(); });
        connect(link, &QTcpSocket::disconnected, link, &QObject::deleteLater);
        say(QStringLiteral("game linked"));
    }
}

bool Lobby::startGame(const QString& name, const QString& host, bool hosting)
{
    if (gameRunning()) {
        say(QStringLiteral("a game is running already; \"end\" it first"));
        return false;
    }
    delete m_game;
    m_game = new QProcess(this);
    m_game->setProcessChannelMode(QProcess::ForwardedChannels);
    m_game->setInputChannelMode(QProcess::ForwardedInputChannel);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The game itself always links to 9001; a lobby on another port tells a
    // stand-in game where it is.
    env.insert(QStringLiteral("GLOOPDASH_LOBBY_PORT"), QString::number(port()));
    m_game->setProcessEnvironment(env);
    connect(m_game, &QProcess::finished, this, [this](int code) { gameEnded(code); });
    const QStringList arguments{name, host, hosting ? QStringLiteral("true") : QStringLiteral("false")};
    m_game->start(m_gamePath, arguments);
    if (!m_game->waitForStarted(5000)) {
        say(QStringLiteral("cannot start %1: %2").arg(m_gamePath, m_game->errorString()));
        return false;
    }
    say(QStringLiteral("game started: %1 %2").arg(m_gamePath, arguments.join(QLatin1Char(' '))));
    return true;
}

void Lobby::command(const QString& line)
{
    const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString verb = words.value(0).toLower();
    if (verb.isEmpty())
        return;
    if (verb == QLatin1String("host") && words.size() == 2)
        startGame(words[1], QStringLiteral("127.0.0.1"), true);
    else if (verb == QLatin1String("join") && words.size() == 3)
        startGame(words[1], words[2], false);
    else if (verb == QLatin1String("end"))
        closeLinks();
    else if (verb == QLatin1String("quit"))
        quit();
    else
        say(usage());
}

void Lobby::closeLinks()
{
    for (const QPointer<QTcpSocket>& link : std::as_const(m_links))
        if (link)
            link->close();
    m_links.clear();
}

void Lobby::quit()
{
    m_quitting = true;
    closeLinks();
    if (gameRunning() && !m_game->waitForFinished(5000)) {
        say(QStringLiteral("the game did not end with its link; stopping it"));
        m_game->terminate();
        if (!m_game->waitForFinished(3000))
            m_game->kill();
    }
    emit finished();
}

void Lobby::inputEnded()
{
    m_inputOpen = false;
    if (!gameRunning())
        quit();
}

void Lobby::gameEnded(int exitCode)
{
    say(QStringLiteral("game ended (exit code %1)").arg(exitCode));
    closeLinks();
    if (!m_inputOpen && !m_quitting)
        quit();
}
