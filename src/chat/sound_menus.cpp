#include "sound_menus.h"

#include "chat/core/chatter_sounds.h"
#include "chat/core/sound_player.h"

#include <QAction>
#include <QCoreApplication>

SoundsPopup::SoundsPopup(QWidget* parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("popup_sounds"));
    setToolTipsVisible(true);
    for (int code = 0; code <= ChatterSounds::Count; ++code) {
        const QString caption = code == 0 ? tr("<Cancel>") : ChatterSounds::caption(code);
        QAction* a = addAction(caption);
        a->setObjectName(code == 0 ? QStringLiteral("cancel") : QStringLiteral("wave%1").arg(code));
        a->setToolTip(caption);
        a->setData(code);
        connect(a, &QAction::triggered, this, [this, code] { emit soundChosen(code); });
    }
}

QAction* SoundsPopup::item(int code) const
{
    const QList<QAction*> items = actions();
    return code >= 0 && code < items.size() ? items.at(code) : nullptr;
}

SoundOptionActions addSoundOptions(QMenu* options, SoundPlayer& player, ChatterSounds& chatter)
{
    SoundOptionActions a;
    a.playSounds = options->addAction(QCoreApplication::translate("SoundsPopup", "Play Sounds"));
    a.playSounds->setObjectName(QStringLiteral("menu_playsounds"));
    a.playSounds->setCheckable(true);
    a.playSounds->setChecked(true);
    player.setPlaySounds(true);
    QObject::connect(a.playSounds, &QAction::toggled, options, [&player](bool on) { player.setPlaySounds(on); });

    a.chatterSounds = options->addAction(QCoreApplication::translate("SoundsPopup", "Play Chatter Sounds"));
    a.chatterSounds->setObjectName(QStringLiteral("menu_chattersounds"));
    a.chatterSounds->setCheckable(true);
    a.chatterSounds->setChecked(false);
    chatter.setChatterSounds(false);
    QObject::connect(a.chatterSounds, &QAction::toggled, options,
                     [&chatter](bool on) { chatter.setChatterSounds(on); });
    return a;
}
