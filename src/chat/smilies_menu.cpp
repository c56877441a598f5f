#include "smilies_menu.h"

#include "ui/built_in_picture.h"

#include <QIcon>

SmiliesMenu::SmiliesMenu(const RichImageList& pictures, QWidget* parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("popup_smilies"));
    for (int i = 0; i < Count; ++i) {
        const int code = FirstCode + i;
        QAction* item = addAction(QIcon(pictures.value(i)), QStringLiteral(":)#%1").arg(code));
        item->setData(code);
        connect(item, &QAction::triggered, this, [this, code] { emit smileyChosen(code); });
    }
}

RichImageList SmiliesMenu::loadPictures()
{
    RichImageList list;
    for (int i = 0; i < Count; ++i)
        list << BuiltInPicture::pixmap(QStringLiteral("smiley%1.png").arg(i, 2, 10, QLatin1Char('0')));
    return list;
}
