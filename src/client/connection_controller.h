#pragma once

#include "after_first_paint.h"
#include "client/core/client_session.h"
#include "client/core/game_address.h"
#include "client/core/program_arguments.h"
#include "client/core/table_probe.h"
#include "join_history.h"
#include "reconnector.h"
#include "server/server_thread.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class GameModel;
class MainWindow;
class HostOptions;
class JoinGameDialog;
class SettingsFile;

// Start-up and connection of the main window: reads the command line once the
// window's first picture is on screen (`processparams`), hosts (`hostpress`: the game server
// on its own thread, the local client connected to it) or joins (`joinpress`),
// keeps the lobby link, and serves File "Host a Multi-player Game…" and "Join a
// Multi-player Game…", leaving the current game cleanly in the same process.
class ConnectionController : public QObject {
    Q_OBJECT
public:
    // A join from the dialog gives up after this long without a game's answer.
    static constexpr int JoinTimeoutMs = 5000;

    // `model` is the game whose connection this makes and ends; `window`
    // shows it; `options` is what the server reads of the host. All must outlive this.
    ConnectionController(GameModel& model, MainWindow& window, const HostOptions& options, QObject* parent = nullptr);
    ~ConnectionController() override;

    // The ports of the game (7772) and the lobby link (9001) unless a test says
    // otherwise.
    void setPorts(quint16 gamePort, quint16 lobbyPort);
    // The port hosting listens on: the game port unless set here (0 picks a
    // free port), by "--port" or by the host dialog.
    void setHostPort(quint16 port) { m_hostPort = port; }
    // Read when the window is first shown; "--port N" picks the hosting port.
    void setCommandLine(const QStringList& arguments);
    // Where the join dialog's name and addresses are kept; none by default.
    void setHistoryFile(SettingsFile* file) { m_history = JoinHistory(file); }

    void processparams();
    bool hostpress();
    void joinpress();

    // The menus' entries: each asks first while a game is running.
    void showHostDialog();
    // `typed`: the address to offer, when a join to it just failed.
    void showJoinDialog(const QString& error = {}, const QString& typed = {});
    // Leaves whatever runs now and hosts on `port` / joins `address`.
    // `listOnInternet`: the table also goes on the internet table list.
    void hostGame(const QString& name, quint16 port, bool listOnInternet = false);
    void joinGame(const QString& name, const GameAddress& address);
    // Closes the connection, the lobby link and the server; the table empties.
    void leaveGame();

    ServerThread& server() { return m_server; }
    JoinHistory& history() { return m_history; }
    const Reconnector& reconnector() const { return m_reconnector; }

private:
    void openLobbyLink();
    void confirmLeaving(const std::function<void()>& leave);
    void joinFailed(ClientSession::JoinFailure reason);
    void enterTable(const QString& name, const GameAddress& address);
    void probeAnswered();
    void probeFailed(ClientSession::JoinFailure reason);
    bool portFree(quint16 port) const;
    void addline(const QString& text, const QColor& colour) const;

    GameModel& m_model;
    MainWindow& m_window;
    ClientSession& m_session;
    ServerThread m_server;
    JoinHistory m_history;
    ProgramArguments m_commandLine;
    quint16 m_gamePort = GameAddress::DefaultPort;
    quint16 m_lobbyPort = 9001;
    quint16 m_hostPort = GameAddress::DefaultPort;
    // The address of the join the dialog asked for, until a game answers there.
    QString m_joining;
    QPointer<JoinGameDialog> m_joinDialog;
    Reconnector m_reconnector;
    AfterFirstPaint m_afterFirstPaint;
    TableProbe m_probe;
    // The join asked for while in a game, until its table answers.
    struct Probed {
        QString name;
        GameAddress address;
    };
    std::optional<Probed> m_probing;
};
