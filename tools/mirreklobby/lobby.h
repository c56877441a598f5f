#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

// The lobby stand-in: listens for the game's link on 127.0.0.1, starts one game
// at a time with the three arguments of a multi-player start, and ends the game
// by closing the link.
class Lobby : public QObject {
    Q_OBJECT
public:
    Lobby(QString gamePath, QObject* parent = nullptr);
    ~Lobby() override;

    bool listen(quint16 port);
    quint16 port() const { return m_server.serverPort(); }

    // Starts the game: name, host address and "true" to host or "false" to join.
    bool startGame(const QString& name, const QString& host, bool hosting);
    bool gameRunning() const { return m_game && m_game->state() != QProcess::NotRunning; }

    // One line typed at the lobby: "host NAME", "join NAME HOST", "end", "quit", "help".
    void command(const QString& line);
    // Closes every link (which ends the game), waits for the game, then quits.
    void quit();
    // No more commands will come: the lobby lives on only while a game runs.
    void inputEnded();

    static QString usage();

signals:
    void finished();

private:
    void accept();
    void closeLinks();
    void gameEnded(int exitCode);
    void say(const QString& text) const;

    QString m_gamePath;
    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_links;
    QProcess* m_game = nullptr;
    bool m_inputOpen = true;
    bool m_quitting = false;
};
