#include "chat_binding.h"

#include "chat/chat_menu.h"
#include "chat_window.h"
#include "client/core/client_session.h"
#include "game_view.h"

#include <QLabel>
#include <QMenu>

ChatBinding::ChatBinding(ChatWindow& window, std::unique_ptr<SoundOutput> output)
    : m_window(window), m_player(std::move(output)),
      m_chatter(
          m_player, [this](int slot) { return playerName(slot); },
          [this](const QString& line, const QColor& colour) { addlinetochat(line, colour); })
{
    placeChat();
    placePhraseButtons();
    m_window.optionsMenu()->addSeparator();
    m_panel->menu()->addOptionsItems(m_window.optionsMenu());
    m_window.optionsMenu()->addSeparator();
    m_options = addSoundOptions(m_window.optionsMenu(), m_player, m_chatter);
    fillHooks();
}

ChatBinding::~ChatBinding()
{
    // The hooks point into this binding; the window may outlive it.
    ClientHooks& hooks = m_window.hooks();
    hooks.addlinetochat = nullptr;
    hooks.chatrecieved = nullptr;
    hooks.playasound = nullptr;
    GameHooks& view = m_window.gameView().hooks();
    view.playsounds = nullptr;
    if (m_panel)
        m_panel->setConnection({});
}

void ChatBinding::placeChat()
{
    auto* panel = new PanelChat;
    m_panel = panel;
    m_window.setChatPanel(panel);
    ClientSession* session = &m_window.session();
    ChatConnection connection;
    connection.loggedIn = [session] { return session->loggedin(); };
    connection.mySlot = [session] { return session->myslot(); };
    connection.send = [session](const QByteArray& message) { session->send(message); };
    panel->setConnection(std::move(connection));
}

void ChatBinding::placePhraseButtons()
{
    m_buttons = new PhraseButtons(m_window.backPanel());
    // The lower row overlaps the mascot's picture; the buttons stay clickable.
    m_buttons->raise();
    m_buttons->show();
    connect(m_buttons, &PhraseButtons::phraseClicked, m_panel, &PanelChat::sendphrase);

    m_popup = new SoundsPopup(&m_window);
    connect(m_buttons, &PhraseButtons::chatterSoundsRequested, m_popup,
            [this](const QPoint& at) { m_popup->popup(at); });
    connect(m_popup, &SoundsPopup::soundChosen, this, &ChatBinding::soundChosen);
}

void ChatBinding::fillHooks()
{
    ClientHooks& hooks = m_window.hooks();
    hooks.addlinetochat = [this](const QString& line, const QColor& colour) {
        addlinetochat(line, colour);
    };
    hooks.chatrecieved = [this](int slot, const QByteArray& text) {
        if (m_panel)
            m_panel->chatrecieved(slot, text);
    };
    hooks.playasound = [this](const ToClient::PlayASound& m) { m_chatter.playasound(m); };

    GameHooks& view = m_window.gameView().hooks();
    view.playsounds = [this](const QString& name) { m_player.playsounds(name); };
}

void ChatBinding::addlinetochat(const QString& line, const QColor& colour)
{
    if (m_panel)
        m_panel->addlinetochat(line, colour);
}

void ChatBinding::soundChosen(int code)
{
    const ClientSession& session = m_window.session();
    const QByteArray message = ChatterSounds::request(code, session.myslot(), session.loggedin());
    if (!message.isEmpty())
        m_window.session().send(message);
}

std::optional<QString> ChatBinding::playerName(int slot) const
{
    const auto* label =
        m_window.findChild<QLabel*>(QStringLiteral("label_playername") + QString::number(slot));
    if (!label)
        return std::nullopt;
    return label->text();
}
