#include "player_list_controller.h"

#include "client/core/game_model.h"
#include "client/score_panel.h"
#include "game_options.h"
#include "net/protocol_to_server.h"
#include "side/core/spy_roster.h"
#include "side/core/tally_book.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

PlayerListController::PlayerListController(GameModel& model, ChatSink& chat, GameOptions& options, QObject* parent)
    : QObject(parent), m_model(model), m_chat(chat), m_options(options)
{
    connect(&model, &GameModel::playerConnected, this, &PlayerListController::playerConnected);
    connect(&model, &GameModel::playerDisconnected, this, &PlayerListController::playerDisconnected);
    connect(&model, &GameModel::watchingAnnounced, this, &PlayerListController::watchingAnnounced);
    connect(&model, &GameModel::tableLeft, this, &PlayerListController::tableLeft);
    m_popup = new QMenu();
    m_popup->setObjectName(QStringLiteral("popup_kick"));
    m_removeFromGame = m_popup->addAction(tr("Remove From Game"));
    m_removeFromGame->setObjectName(QStringLiteral("RemoveFromGame1"));
    m_setToJustWatch = m_popup->addAction(tr("Set to Just Watch"));
    m_setToJustWatch->setObjectName(QStringLiteral("SettoJustWatch1"));
    m_popup->addSeparator();
    m_ignore = m_popup->addAction(tr("Ignore"));
    m_ignore->setObjectName(QStringLiteral("Ignore1"));
    m_mute = m_popup->addAction(tr("Mute Sounds"));
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
            return {QStringLiteral("\u2298"), tr("Ignored")};
        if (m_ignores.isMuted(name))
            return {QStringLiteral("\u266a\u0338"), tr("Sounds muted")};
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
    return m_model.seats().name(slot);
}

void PlayerListController::playerConnected(int slot, const QString& name)
{
    const bool mine = slot == m_model.myslot();
    if (mine) {
        m_chat.addline(tr("You are Connected."), StatusColour::blue());
        m_options.loadinifile();
        loadchecklist();
    } else {
        m_chat.addline(tr("%1 is Connected.").arg(name), StatusColour::blue());
    }
    if (slot > Table::Seats) {
        addSpy(slot, name);
        m_chat.addline(mine ? tr("You are spying.") : tr("%1 is spying.").arg(name), StatusColour::blue());
    }
}

void PlayerListController::playerDisconnected(int slot, const QString& name, const QString& seatName)
{
    const bool removed = m_removing.remove(slot);
    if (Table::isSeat(slot) && seatName != SeatNames::Waiting)
        m_chat.addline((removed ? tr("%1 was removed from the game.") : tr("%1 disconnected.")).arg(seatName),
                       StatusColour::blue());
    if (removeSpy(slot, name))
        m_chat.addline(tr("%1 has left.").arg(name), StatusColour::navy());
    loadchecklist();
}

void PlayerListController::watchingAnnounced(int slot, bool watching)
{
    m_chat.addline((watching ? tr("%1 is just watching") : tr("%1 now playing again")).arg(seatName(slot)),
                   StatusColour::watching());
}

void PlayerListController::tableLeft()
{
    if (m_spies)
        m_spies->clear();
    loadchecklist();
}

void PlayerListController::loadchecklist()
{
    if (!m_tally)
        return;
    QStringList names;
    for (int slot = 1; slot <= Table::Seats; ++slot) {
        const QString name = seatName(slot);
        if (slot != m_model.myslot() && name != SeatNames::Waiting)
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
    m_removeFromGame->setEnabled(m_model.holdsHostPowers() && m_model.seats().seated(slot));
    m_setToJustWatch->setEnabled(true);
    // Only someone else who sits here can be ignored.
    const QString name = seatName(slot);
    const bool other = m_model.seats().seated(slot) && slot != m_model.myslot();
    m_ignore->setEnabled(other);
    m_mute->setEnabled(other && !m_ignores.isIgnored(name));
    m_ignore->setChecked(other && m_ignores.isIgnored(name));
    m_mute->setChecked(other && m_ignores.isMuted(name));
}

void PlayerListController::toggleIgnore(IgnoreList::Kind kind, int slot, bool on)
{
    if (!m_model.seats().seated(slot) || slot == m_model.myslot())
        return;
    const QString name = seatName(slot);
    if (!m_ignores.set(kind, name, on))
        m_chat.addline(tr("Unable to keep the list of ignored players."), StatusColour::blue());
    if (m_rows)
        m_rows->refreshNames();
}

void PlayerListController::kicking(int slot)
{
    if (!m_model.holdsHostPowers() || !m_model.loggedin())
        return;
    if (m_model.send(ToServer::KickHim{m_model.myslot(), slot}.bytes()))
        m_removing.insert(slot);
}

void PlayerListController::setTheJustWatch(int slot)
{
    if (!m_model.loggedin() || !Table::isSeat(slot))
        return;
    m_model.send(ToServer::JustWatch{slot, ToServer::JustWatch::Watch}.bytes());
}

void PlayerListController::JustWatch1Click()
{
    const int me = m_model.myslot();
    if (!m_model.loggedin() || !Table::isSeat(me))
        return;
    // The server takes the switch only while a game runs; say so instead of
    // sending a request that would silently do nothing.
    if (!m_model.gameRunning()) {
        m_chat.addline(tr("Just Watch works only while a game is running."), StatusColour::watching());
        return;
    }
    const auto wish = m_model.watching() ? ToServer::JustWatch::Play : ToServer::JustWatch::Watch;
    m_model.send(ToServer::JustWatch{me, wish}.bytes());
}
