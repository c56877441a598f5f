#pragma once

#include <QMenu>

class ChatterSounds;
class QAction;
class SoundPlayer;

// The chatter-sounds menu `popup_sounds`: "<Cancel>" (code 0) and the items
// `wave1` ... `wave20` (codes 1 ... 20), each captioned and hinted with the
// name of its sound. Opened by the "CS" button with QMenu::popup().
class SoundsPopup : public QMenu {
    Q_OBJECT
public:
    explicit SoundsPopup(QWidget* parent = nullptr);

    QAction* item(int code) const;

signals:
    // The one handler of all 21 items: the code of the item chosen. Send
    // ChatterSounds::request(code, myslot, loggedin) if it is not empty.
    void soundChosen(int code);
};

// "Play Sounds" (ticked) and "Play Chatter Sounds" (not ticked) as added to the
// Options menu. Each keeps its tick and the option it switches in step; the
// main window connects their triggered() to writing the settings, and sets
// their ticks from the settings with setChecked().
struct SoundOptionActions {
    QAction* playSounds = nullptr;
    QAction* chatterSounds = nullptr;
};

SoundOptionActions addSoundOptions(QMenu* options, SoundPlayer& player, ChatterSounds& chatter);
