#include "connection_controller.h"

#include "app/server/hosted_listing.h"
#include "client/core/internet_table_list.h"
#include "game_browser.h"

#include "client/core/client_log.h"
#include "client/core/game_model.h"
#include "host_game_dialog.h"
#include "join_game_dialog.h"
#include "main_window.h"

#include "net/tsock.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTcpServer>
#include <utility>

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

ConnectionController::ConnectionController(GameModel& model, MainWindow& window, const HostOptions& options,
                                           QObject* parent)
    : QObject(parent), m_model(model), m_window(window), m_session(model.session()), m_server(options),
      m_reconnector(model, window), m_afterFirstPaint(window)
{
    window.setLinkLossHandler([this] { return m_reconnector.linkLost(); });
    // Hosting, joining and the first chat line wait until the window has been
    // drawn once: the player sees the game at once, and the table starts a
    // moment later instead of holding the first picture back.
    connect(&window, &MainWindow::firstShown, this, [this] { m_afterFirstPaint.run([this] { processparams(); }); });
    connect(&window, &MainWindow::hostGameRequested, this, &ConnectionController::showHostDialog);
    connect(&window, &MainWindow::joinGameRequested, this, [this] { showJoinDialog(); });
    connect(&m_session, &ClientSession::joinFailed, this, &ConnectionController::joinFailed);
    connect(&m_probe, &TableProbe::answered, this, &ConnectionController::probeAnswered);
    connect(&m_probe, &TableProbe::failed, this, &ConnectionController::probeFailed);
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
    m_model.setHosting(false);
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
        qCWarning(lcClient) << "could not host:" << *error;
        m_window.showError(*error);
        return false;
    }
    qCInfo(lcClient) << "hosting on port" << m_server.port();
    try {
        m_session.connectToServer(Localhost, m_server.port());
    } catch (const ESockException& e) {
        m_window.showError(e.text());
    }
    m_model.setHosting(true);
    return true;
}

void ConnectionController::joinpress()
{
    // An address the player wrote with its own port joins that port; anything
    // else goes to the socket as it is, which reports what it cannot reach.
    const auto address = GameAddress::parse(m_session.hostaddress(), m_gamePort);
    const GameAddress table = address.value_or(GameAddress{m_session.hostaddress(), m_gamePort});
    m_reconnector.setTable(table.host, table.port);
    try {
        m_session.connectToServer(table.host, table.port);
    } catch (const ESockException& e) {
        m_window.showError(e.text());
    }
    m_model.setHosting(false);
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
    if (!m_model.gameRunning()) {
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

void ConnectionController::showJoinDialog(const QString& error, const QString& typed)
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
    // A failed join offers again what the player typed, not the last good address.
    if (!typed.isEmpty())
        dialog->addressBox()->setEditText(typed);
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
    m_reconnector.forget();
    m_session.disconnectFromServer();
    m_server.stop();
    m_model.leaveTable();
}

bool ConnectionController::portFree(quint16 port) const
{
    // The port this copy hosts on now is given up by leaving.
    if (m_server.port() == port && port != 0)
        return true;
    QTcpServer trial;
    return port == 0 || trial.listen(QHostAddress::Any, port);
}

void ConnectionController::hostGame(const QString& name, quint16 port, bool listOnInternet)
{
    if (!portFree(port)) {
        // The game in play stays: hosting could not start anyway.
        addline(tr("Could not host on port %1: it is in use.").arg(port), FailureColour);
        m_window.showError(tr("Listen - Error Binding Socket"));
        return;
    }
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
    if (m_session.state() == ClientSession::State::Disconnected) {
        enterTable(name, address);
        return;
    }
    // Ask the new table first: a join that would fail keeps the game in play.
    m_probing = {name, address};
    addline(tr("Joining %1..").arg(address.text()), StatusColour::blue());
    m_probe.probe(address.host, address.port, JoinTimeoutMs);
}

void ConnectionController::probeAnswered()
{
    if (const auto probed = std::exchange(m_probing, std::nullopt))
        enterTable(probed->name, probed->address);
}

void ConnectionController::probeFailed(ClientSession::JoinFailure reason)
{
    const auto probed = std::exchange(m_probing, std::nullopt);
    if (!probed)
        return;
    const QString text = failureText(reason, probed->address.text());
    qCInfo(lcClient) << "join failed, staying at the table:" << text;
    addline(text, FailureColour);
    showJoinDialog(text, probed->address.text());
}

void ConnectionController::enterTable(const QString& name, const GameAddress& address)
{
    leaveGame();
    m_joining = address.text();
    m_session.setMyname(name);
    m_session.setHostaddress(m_joining);
    addline(tr("Joining %1..").arg(m_joining), StatusColour::blue());
    qCInfo(lcClient) << "joining" << m_joining;
    m_reconnector.setTable(address.host, address.port);
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
    if (m_reconnector.active()) {
        m_reconnector.attemptFailed();
        return;
    }
    const QString text = failureText(reason, m_joining.isEmpty() ? m_session.hostaddress() : m_joining);
    qCInfo(lcClient) << "join failed:" << text;
    const QString typed = m_joining;
    m_joining.clear();
    addline(text, FailureColour);
    showJoinDialog(text, typed);
}
