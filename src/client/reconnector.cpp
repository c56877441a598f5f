#include "reconnector.h"

#include "client/core/client_log.h"
#include "client/core/game_model.h"
#include "client/core/reconnect_policy.h"
#include "client_chat.h"
#include "main_window.h"

#include <QLabel>

namespace {
// An attempt that reached nothing that answers like a table gives up after this.
constexpr int AttemptTimeoutMs = 5000;
constexpr int StripHeight = 22;
} // namespace

Reconnector::Reconnector(GameModel& model, MainWindow& window, QObject* parent)
    : QObject(parent), m_model(model), m_window(window), m_session(model.session())
{
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &Reconnector::attempt);
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, &Reconnector::showStrip);
    connect(&m_session, &ClientSession::stateChanged, this, &Reconnector::stateChanged);
}

Reconnector::~Reconnector() = default;

void Reconnector::setTable(const QString& host, quint16 port)
{
    m_table = GameAddress{host, port};
    m_seated = false;
}

void Reconnector::forget()
{
    m_table.reset();
    m_seated = false;
    m_retry.stop();
    m_tick.stop();
    m_active = false;
    if (m_strip)
        m_strip->hide();
}

bool Reconnector::linkLost()
{
    if (m_active)
        return true;
    // Only a seat at a table of somebody else's, lost without a word from it.
    if (!m_table || !m_seated || m_model.hosting() || m_session.farewell() || !m_session.serverClosed())
        return false;
    qCInfo(lcClient) << "connection to" << m_table->text() << "lost; reconnecting";
    m_active = true;
    m_attempts = 0;
    m_lost.start();
    m_tick.start();
    showStrip();
    attempt();
    return true;
}

void Reconnector::attempt()
{
    if (!m_active || !m_table)
        return;
    // The game on screen stays; only the link is made anew.
    m_session.disconnectFromServer();
    try {
        m_session.connectToServer(m_table->host, m_table->port);
    } catch (const ESockException&) {
        attemptFailed();
        return;
    }
    m_session.expectGameServer(AttemptTimeoutMs);
}

void Reconnector::attemptFailed()
{
    if (!m_active)
        return;
    ++m_attempts;
    const std::optional<int> wait = ReconnectPolicy::nextWait(m_attempts, int(m_lost.elapsed()));
    if (wait) {
        m_retry.start(*wait);
        return;
    }
    qCInfo(lcClient) << "the table at" << m_table->text() << "is gone";
    forget();
    m_window.connectionLostForGood();
}

void Reconnector::stateChanged(ClientSession::State state)
{
    if (state == ClientSession::State::LoggedIn) {
        if (m_active)
            finish();
        m_seated = true;
    }
    // A link that breaks while coming back is tried again like a failed attempt.
    if (state == ClientSession::State::Closed && m_active)
        QMetaObject::invokeMethod(this, &Reconnector::attemptFailed, Qt::QueuedConnection);
}

void Reconnector::finish()
{
    const bool running = m_model.gameRunning();
    m_active = false;
    m_retry.stop();
    m_tick.stop();
    if (m_strip)
        m_strip->hide();
    // Who sits where now is what the table says next: forget the old seats.
    m_model.leaveTable();
    qCInfo(lcClient) << "back at" << m_table->text() << "after" << m_lost.elapsed() << "ms";
    m_window.chatSink().addline(running ? tr("You are back at the table. Your board comes back with the next deal.")
                                        : tr("You are back at the table."),
                                StatusColour::blue());
}

void Reconnector::showStrip()
{
    QWidget* area = m_window.centralWidget();
    if (!area)
        return;
    if (!m_strip) {
        m_strip = new QLabel(area);
        m_strip->setObjectName(QStringLiteral("reconnectstrip"));
        m_strip->setAlignment(Qt::AlignCenter);
        m_strip->setAutoFillBackground(true);
        m_strip->setStyleSheet(QStringLiteral("background: #ffd24a; color: black; font-weight: bold;"));
        m_strip->setAccessibleName(tr("Connection status"));
    }
    const int seconds = int(m_lost.elapsed() / 1000);
    m_strip->setText(tr("Connection lost — reconnecting… (%1 s)").arg(seconds));
    m_strip->setGeometry(0, 0, area->width(), StripHeight);
    m_strip->show();
    m_strip->raise();
}
