#include "player_list_controller.h"

#include "client/core/client_session.h"
#include "client/core/seat_names.h"
#include "client/score_panel.h"
#include "game_options.h"
#include "net/protocol_to_server.h"
#include "side/core/spy_roster.h"
#include "side/core/tally_book.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

PlayerListController::PlayerListController(ClientSession& session, ChatSink& chat, GameOptions& options,
                                           QObject* parent)
    : QObject(parent), m_session(session), m_chat(chat), m_options(options)
{
    m_popup = new QMenu();
    m_popup->setObjectName(QStringLiteral("popup_kick"));
    m_removeFromGame = m_popup->addAction(QStringLiteral("Remove From Game"));
    m_removeFromGame->setObjectName(QStringLiteral("RemoveFromGame1"));
    m_setToJustWatch = m_popup->addAction(QStringLiteral("Set to Just Watch"));
    m_setToJustWatch->setObjectName(QStringLiteral("SettoJustWatch1"));
    m_popup->addSeparator();
    m_ignore = m_popup->addAction(QStringLiteral("Ignore"));
    m_ignore->setObjectName(QStringLiteral("Ignore1"));
    m_mute = m_popup->addAction(QStringLiteral("Mute Sounds"));
    m_mute->setObjectName(QStringLiteral("MuteSounds1"));
    for (QAction* a : {m_ignore, m_mute})
        a->setCheckable(true);
    connect(m_ignore, &QAction::triggered, this,
            [this](bool on) { toggleIgnore(IgnoreList::Kind::Ignore, m_popupSlot, on); });
    connect(m_mute, &QAction::triggered, this,
            [this](bool on) { toggleIgnore(IgnoreList::Kind::Mute, m_popupSlot, on); });
    connect(m_removeFromGame, &QAction::triggered, this, [this] { kicking(m_popupSlot); });
    connect(m_setToJustWatch, &QAction::triggered, this, [this] { setTheJustWatch(m_popupSlot); });
}

PlayerListController::~PlayerListController()
{
    delete m_popup;
}

void PlayerListController::attachRows(ScorePanel* rows)
{
    m_rows = rows;
    rows->setNameMarks([this](const QString& name) -> ScorePanel::NameMark {
        if (m_ignores.isIgnored(name))
            return {QStringLiteral("\u2298"), QStringLiteral("Ignored")};
        if (m_ignores.isMuted(name))
            return {QStringLiteral("\u266a\u0338"), QStringLiteral("Sounds muted")};
        return {};
    });
    for (int slot = 1; slot <= Table::Seats; ++slot) {
        QLabel* name = rows->playerName(slot);
        name->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(name, &QWidget::customContextMenuRequested, this, [this, name, slot](const QPoint& pos) {
            label_playername1ContextPopup(slot);
            m_popup->popup(name->mapToGlobal(pos));
        });
    }
}

void PlayerListController::setJustWatchAction(QAction* action)
{
    m_justWatch = action;
}

void PlayerListController::setSpies(SpyRoster* spies)
{
    m_spies = spies;
}

void PlayerListController::setTally(TallyBook* tally)
{
    m_tally = tally;
}

QString PlayerListController::seatName(int slot) const
{
    return m_session.seatNames().name(slot);
}

void PlayerListController::newplayerinfo(const ToClient::NewPlayerInfo& m)
{
    // Slots the server hands out; anything else in a message is malformed.
    if (!Table::isSlot(m.slot))
        return;
    const int slot = m.slot;
    const QString name = SeatNames::shortened(m.text);
    const bool mine = slot == m_session.myslot();
    if (mine) {
        // The server may seat us under another name than the one we asked for
        // (taken by someone else, or cleaned); play on under the one the others see.
        m_session.setMyname(name);
        m_chat.addline(QStringLiteral("You are Connected."), StatusColour::blue());
        m_options.loadinifile();
        loadchecklist();
    } else {
        m_chat.addline(name + QStringLiteral(" is Connected."), StatusColour::blue());
    }
    if (slot > Table::Seats) {
        addSpy(slot, name);
        m_chat.addline(mine ? QStringLiteral("You are spying.") : name + QStringLiteral(" is spying."),
                       StatusColour::blue());
        return;
    }
    m_session.seatNames().setName(slot, name);
    if (m_rows) {
        m_rows->playerName(slot)->setVisible(true);
        m_rows->score(slot)->setVisible(true);
    }
    emit seatTaken(slot);
}

void PlayerListController::playerdisconnected(const ToClient::PlayerDisconnected& m)
{
    if (!Table::isSlot(m.slot))
        return;
    const int slot = m.slot;
    const QString name = SeatNames::shortened(m.text);
    if (Table::isSeat(slot)) {
        if (const QString left = seatName(slot); left != SeatNames::Waiting)
            m_chat.addline(left + QStringLiteral(" disconnected."), StatusColour::blue());
        m_session.seatNames().setName(slot, SeatNames::Waiting);
    }
    if (slot <= Table::Seats)
        emit seatFreed(slot);
    if (removeSpy(slot, name))
        m_chat.addline(name + QStringLiteral(" has left."), StatusColour::navy());
    loadchecklist();
}

void PlayerListController::justwatching(const ToClient::JustWatching& m)
{
    const int slot = m.slot;
    // Only seats have a row to mark; the server names no other slot here.
    if (!Table::isSeat(slot))
        return;
    // Nobody sits there to watch or play: an empty row gets no eyes.
    if (!m_session.seatNames().seated(slot))
        return;
    const bool watching = m.value == ToClient::JustWatching::Watching;
    if (slot == m_session.myslot() && m_justWatch)
        m_justWatch->setChecked(watching);
    const QString name = seatName(slot);
    m_chat.addline(name + (watching ? QStringLiteral(" is just watching") : QStringLiteral(" now playing again")),
                   StatusColour::watching());
    if (m_rows)
        m_rows->eyes(slot)->setVisible(watching);
    emit seatWatching(slot, watching);
}

void PlayerListController::clearTable()
{
    m_session.seatNames().clear();
    for (int slot = 1; m_rows && slot <= Table::Seats; ++slot)
        m_rows->eyes(slot)->hide();
    if (m_spies)
        m_spies->clear();
    if (m_justWatch)
        m_justWatch->setChecked(false);
    loadchecklist();
}

void PlayerListController::loadchecklist()
{
    if (!m_tally)
        return;
    QStringList names;
    for (int slot = 1; slot <= Table::Seats; ++slot) {
        const QString name = seatName(slot);
        if (slot != m_session.myslot() && name != SeatNames::Waiting)
            names << name;
    }
    m_tally->setPlayersInGame(names);
}

void PlayerListController::addSpy(int slot, const QString& name)
{
    if (m_spies)
        m_spies->addspy(slot, name);
}

bool PlayerListController::removeSpy(int slot, const QString& name)
{
    return m_spies && m_spies->removespy(slot, name);
}

void PlayerListController::label_playername1ContextPopup(int slot)
{
    m_popupSlot = slot;
    m_removeFromGame->setEnabled(m_session.holdsHostPowers() && m_session.seatNames().seated(slot));
    m_setToJustWatch->setEnabled(true);
    // Only someone else who sits here can be ignored.
    const QString name = seatName(slot);
    const bool other = m_session.seatNames().seated(slot) && slot != m_session.myslot();
    m_ignore->setEnabled(other);
    m_mute->setEnabled(other && !m_ignores.isIgnored(name));
    m_ignore->setChecked(other && m_ignores.isIgnored(name));
    m_mute->setChecked(other && m_ignores.isMuted(name));
}

void PlayerListController::toggleIgnore(IgnoreList::Kind kind, int slot, bool on)
{
    if (!m_session.seatNames().seated(slot) || slot == m_session.myslot())
        return;
    const QString name = seatName(slot);
    if (!m_ignores.set(kind, name, on))
        m_chat.addline(QStringLiteral("Unable to keep the list of ignored players."), StatusColour::blue());
    if (m_rows)
        m_rows->refreshNames();
}

void PlayerListController::kicking(int slot)
{
    if (!m_session.holdsHostPowers() || !m_session.loggedin())
        return;
    m_session.send(ToServer::KickHim{m_session.myslot(), slot}.bytes());
}

void PlayerListController::setTheJustWatch(int slot)
{
    if (!m_session.loggedin() || !Table::isSeat(slot))
        return;
    m_session.send(ToServer::JustWatch{slot, ToServer::JustWatch::Watch}.bytes());
}

void PlayerListController::JustWatch1Click(bool gameRunning)
{
    const int me = m_session.myslot();
    if (!m_session.loggedin() || !Table::isSeat(me))
        return;
    // The server takes the switch only while a game runs; say so instead of
    // sending a request that would silently do nothing.
    if (!gameRunning) {
        m_chat.addline(QStringLiteral("Just Watch works only while a game is running."), StatusColour::watching());
        return;
    }
    const bool watching = m_justWatch && m_justWatch->isChecked();
    m_session.send(ToServer::JustWatch{me, watching ? ToServer::JustWatch::Play : ToServer::JustWatch::Watch}.bytes());
}
