#pragma once

#include "chat/core/chatter_sounds.h"
#include "chat/core/sound_output.h"
#include "chat/core/sound_player.h"
#include "chat/panel_chat.h"
#include "chat/phrase_buttons.h"
#include "chat/sound_menus.h"
#include "client/core/game_sounds.h"
#include "client_chat.h"

#include <QObject>
#include <QPointer>
#include <memory>

class ChatConnection;
class GameModel;
class MainWindow;

// The chat, the phrase buttons and the sounds of the main window: the chat
// panel in the chat's area, the phrase buttons in the left column, the
// chatter-sounds menu behind "CS", and the chat and sound items of the Options
// menu. It is where the window's chat lines, chatter sounds and game sounds
// go, so it is made before the window and outlives it. Messages leave only
// through the model's session, which sends only while logged in.
class ChatBinding : public QObject, public ClientChat, public GameSounds, private ChatterSounds::Seats {
    Q_OBJECT
public:
    // output: where sounds are played; null means the default audio device.
    explicit ChatBinding(GameModel& model, std::unique_ptr<SoundOutput> output = nullptr);
    ~ChatBinding() override;

    // Puts the chat panel, the phrase buttons, the popup and the menu items
    // into `window`, which takes the widgets; once, as soon as it is made.
    void place(MainWindow& window);

    PanelChat& panel() const { return *m_panel; }
    // Made by place.
    PhraseButtons& buttons() const { return *m_buttons; }
    SoundsPopup& soundsPopup() const { return *m_popup; }
    SoundPlayer& player() { return m_player; }
    ChatterSounds& chatter() { return m_chatter; }
    // "Play Sounds" and "Play Chatter Sounds" of the Options menu.
    const SoundOptionActions& soundOptions() const { return m_options; }

    void addlinetochat(const StyledLine& line, quint32 colour) override;
    void playasound(const ToClient::PlayASound& m) override;
    void playsounds(GameSound sound) override;

private:
    void placePhraseButtons(MainWindow& window);
    void soundChosen(int code);
    std::optional<QString> playerName(int slot) const override;

    GameModel& m_model;
    std::unique_ptr<ChatConnection> m_connection;
    SoundPlayer m_player;
    ChatterSounds m_chatter;
    // The panel is this binding's until it is placed; then, like the buttons
    // and the popup, the main window's, which goes before this binding.
    std::unique_ptr<PanelChat> m_unplaced;
    QPointer<PanelChat> m_panel;
    QPointer<PhraseButtons> m_buttons;
    QPointer<SoundsPopup> m_popup;
    SoundOptionActions m_options;
};
