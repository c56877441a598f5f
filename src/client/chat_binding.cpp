#include "chat_binding.h"

#include "chat/chat_menu.h"
#include "client/core/game_model.h"
#include "game_view.h"
#include "main_window.h"

#include <QMenu>

namespace {

// The chat's way to the server: the window's session.
class SessionChatConnection final : public ChatConnection {
public:
    explicit SessionChatConnection(ClientSession& session) : m_session(session) { }
    bool loggedin() const override { return m_session.loggedin(); }
    int myslot() const override { return m_session.myslot(); }
    void send(const QByteArray& message) override { m_session.send(message); }

private:
    ClientSession& m_session;
};

} // namespace

ChatBinding::ChatBinding(GameModel& model, std::unique_ptr<SoundOutput> output)
    : m_model(model), m_connection(std::make_unique<SessionChatConnection>(model.session())),
      m_player(std::move(output)), m_chatter(m_player, static_cast<const ChatterSounds::Seats&>(*this), *this),
      m_unplaced(std::make_unique<PanelChat>()), m_panel(m_unplaced.get())
{
    m_panel->setConnection(m_connection.get());
}

ChatBinding::~ChatBinding()
{
    // A panel still in a window that outlives this binding sends no more.
    if (m_panel)
        m_panel->setConnection(nullptr);
}

void ChatBinding::place(MainWindow& window)
{
    window.setChatPanel(m_unplaced.release());
    placePhraseButtons(window);
    window.optionsMenu()->addSeparator();
    m_panel->menu()->addOptionsItems(window.optionsMenu());
    window.optionsMenu()->addSeparator();
    m_options = addSoundOptions(window.optionsMenu(), m_player, m_chatter);
}

void ChatBinding::placePhraseButtons(MainWindow& window)
{
    m_buttons = new PhraseButtons(window.backPanel());
    // The lower row overlaps the mascot's picture; the buttons stay clickable.
    m_buttons->raise();
    m_buttons->show();
    connect(m_buttons, &PhraseButtons::phraseClicked, m_panel, &PanelChat::sendphrase);

    m_popup = new SoundsPopup(&window);
    connect(m_buttons, &PhraseButtons::chatterSoundsRequested, m_popup,
            [this](const QPoint& at) { m_popup->popup(at); });
    connect(m_popup, &SoundsPopup::soundChosen, this, &ChatBinding::soundChosen);
}

void ChatBinding::addlinetochat(const StyledLine& line, quint32 colour)
{
    m_panel->addlinetochat(line, colour);
}

void ChatBinding::playasound(const ToClient::PlayASound& m)
{
    m_chatter.playasound(m);
}

void ChatBinding::playsounds(GameSound sound)
{
    m_player.playsounds(soundName(sound));
}

void ChatBinding::soundChosen(int code)
{
    const QByteArray message = ChatterSounds::request(code, m_model.myslot(), m_model.loggedin());
    if (!message.isEmpty())
        m_model.send(message);
}

std::optional<QString> ChatBinding::playerName(int slot) const
{
    // Only the six seats have a name row; a spectator's sound names nobody.
    if (!Table::isSeat(slot))
        return std::nullopt;
    return m_model.seats().name(slot);
}
