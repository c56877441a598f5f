#include "connection_controller.h"

#include "app/server/hosted_listing.h"
#include "client/core/internet_table_list.h"
#include "game_browser.h"

#include "host_game_dialog.h"
#include "join_game_dialog.h"
#include "main_window.h"

#include "net/tsock.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString Localhost = QStringLiteral("127.0.0.1");
const QColor FailureColour(192, 0, 0);

QString failureText(ClientSession::JoinFailure reason, const QString& address)
{
    using F = ClientSession::JoinFailure;
    switch (reason) {
    case F::Refused:
        return QCoreApplication::translate("ConnectionController",
                                           "Could not join %1: the connection was refused. Nobody hosts a game there.")
            .arg(address);
    case F::NotFound:
        return QCoreApplication::translate("ConnectionController", "Could not join %1: there is no such host.")
            .arg(address);
    case F::Unreachable:
        return QCoreApplication::translate("ConnectionController", "Could not join %1: the host cannot be reached.")
            .arg(address);
    case F::TimedOut:
        return QCoreApplication::translate("ConnectionController",
                                           "Could not join %1: no game answered within 5 seconds.")
            .arg(address);
    case F::NotAGameServer:
        return QCoreApplication::translate("ConnectionController",
                                           "Could not join %1: what answers there is not a Gloop Dash game.")
            .arg(address);
    }
    return {};
}

} // namespace

ConnectionController::ConnectionController(MainWindow& window, const HostOptions& options, QObject* parent)
    : QObject(parent), m_window(window), m_session(window.session()), m_server(options)
{
    connect(&window, &MainWindow::firstShown, this, &ConnectionController::processparams);
    connect(&window, &MainWindow::hostGameRequested, this, &ConnectionController::showHostDialog);
    connect(&window, &MainWindow::joinGameRequested, this, [this] { showJoinDialog(); });
    connect(&m_session, &ClientSession::joinFailed, this, &ConnectionController::joinFailed);
    connect(&m_session, &ClientSession::gameServerAnswered, this, [this] {
        if (!m_joining.isEmpty())
            m_history.remember(m_session.myname(), m_joining);
        m_joining.clear();
    });
}

ConnectionController::~ConnectionController()
{
    // The server goes first, while the window's connection still stands.
    m_server.stop();
}

void ConnectionController::setPorts(quint16 gamePort, quint16 lobbyPort)
{
    m_gamePort = gamePort;
    m_lobbyPort = lobbyPort;
    m_hostPort = gamePort;
}

void ConnectionController::setCommandLine(const QStringList& arguments)
{
    m_commandLine = ProgramArguments::parse(arguments);
    if (m_commandLine.port)
        m_hostPort = *m_commandLine.port;
}

void ConnectionController::addline(const QString& text, const QColor& colour) const
{
    m_window.chatSink().addline(text, colour);
}

void ConnectionController::processparams()
{
    m_window.setHosting(false);
    const QStringList& arguments = m_commandLine.players;
    if (arguments.isEmpty()) {
        addline(tr("Loading Solo Game..Please wait."), StatusColour::blue());
        m_window.showDownload();
        m_session.setHostaddress(Localhost);
        m_session.setMyname(QStringLiteral("You"));
        hostpress();
        return;
    }
    addline(tr("Loading Multi-player Game.. Please Wait."), StatusColour::blue());
    // With fewer than the three arguments nothing is hosted, joined or linked.
    if (arguments.size() < 3)
        return;
    m_session.setMyname(arguments.at(0));
    m_session.setHostaddress(arguments.at(1));
    if (arguments.at(2) == QLatin1String("true")) {
        if (!hostpress())
            return;
    } else {
        joinpress();
    }
    openLobbyLink();
}

bool ConnectionController::hostpress()
{
    if (const auto error = m_server.start(m_hostPort)) {
        // The local client is not connected (nor the lobby link).
        m_window.showError(*error);
        return false;
    }
    m_session.setIshost(true);
    try {
        m_session.connectToServer(Localhost, m_server.port());
    } catch (const ESockException& e) {
        m_window.showError(e.text());
    }
    m_window.setHosting(true);
    emit hostingStarted();
    return true;
}

void ConnectionController::joinpress()
{
    // An address the player wrote with its own port joins that port; anything
    // else goes to the socket as it is, which reports what it cannot reach.
    const auto address = GameAddress::parse(m_session.hostaddress(), m_gamePort);
    try {
        if (address)
            m_session.connectToServer(address->host, address->port);
        else
            m_session.connectToServer(m_session.hostaddress(), m_gamePort);
    } catch (const ESockException& e) {
        m_window.showError(e.text());
    }
    m_window.setHosting(false);
}

void ConnectionController::openLobbyLink()
{
    try {
        m_session.connectToLobby(m_lobbyPort);
    } catch (const ESockException&) {
        // The game goes on without the lobby link.
    }
}

void ConnectionController::confirmLeaving(const std::function<void()>& leave)
{
    if (!m_session.gameRunning()) {
        leave();
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Gloop Dash"), tr("A game is running. Leave it?"),
                                QMessageBox::Yes | QMessageBox::No, &m_window);
    box->setObjectName(QStringLiteral("leavebox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [box, leave] {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            leave();
    });
    box->open();
}

void ConnectionController::showHostDialog()
{
    const QString offered = m_session.myname().isEmpty() || m_session.myname() == QLatin1String("You")
        ? m_history.name()
        : m_session.myname();
    auto* dialog = new HostGameDialog(offered, &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const QString name = dialog->name();
        const quint16 port = dialog->port();
        const bool listed = dialog->listOnInternet();
        confirmLeaving([this, name, port, listed] { hostGame(name, port, listed); });
    });
    dialog->open();
}

void ConnectionController::showJoinDialog(const QString& error)
{
    if (m_joinDialog)
        m_joinDialog->close();
    const QString offered = m_history.name().isEmpty() ? m_session.myname() : m_history.name();
    auto* dialog =
        new JoinGameDialog(offered == QLatin1String("You") ? QString() : offered, m_history.addresses(), &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setError(error);
    dialog->browser()->setExtraPorts(m_history.ports());
    connect(dialog->browser(), &GameBrowser::extraPortsChanged, this,
            [this](const QList<quint16>& ports) { m_history.setPorts(ports); });
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const QString name = dialog->name();
        const auto address = GameAddress::parse(dialog->address());
        if (address)
            confirmLeaving([this, name, address] { joinGame(name, *address); });
    });
    m_joinDialog = dialog;
    dialog->open();
}

void ConnectionController::leaveGame()
{
    m_joining.clear();
    m_session.disconnectFromServer();
    m_server.stop();
    m_window.clearTable();
}

void ConnectionController::hostGame(const QString& name, quint16 port, bool listOnInternet)
{
    leaveGame();
    const QUrl list(InternetTableList::defaultCoordinator());
    if (listOnInternet && list.isValid() && !list.host().isEmpty())
        m_server.setCompanion(
            [list, name](Server& server) { return std::make_unique<HostedListing>(server, list, name); });
    else
        m_server.setCompanion(nullptr);
    m_session.setMyname(name);
    m_session.setHostaddress(Localhost);
    m_hostPort = port;
    addline(tr("Hosting a game on port %1..").arg(port), StatusColour::blue());
    hostpress();
}

void ConnectionController::joinGame(const QString& name, const GameAddress& address)
{
    leaveGame();
    m_joining = address.text();
    m_session.setMyname(name);
    m_session.setHostaddress(m_joining);
    addline(tr("Joining %1..").arg(m_joining), StatusColour::blue());
    try {
        m_session.connectToServer(address.host, address.port);
    } catch (const ESockException&) {
        joinFailed(ClientSession::JoinFailure::NotFound);
        return;
    }
    m_session.expectGameServer(JoinTimeoutMs);
}

void ConnectionController::joinFailed(ClientSession::JoinFailure reason)
{
    const QString text = failureText(reason, m_joining.isEmpty() ? m_session.hostaddress() : m_joining);
    m_joining.clear();
    addline(text, FailureColour);
    showJoinDialog(text);
}
