#pragma once

#include "ui/rich_item.h"

#include <QMenu>

// The smilies menu `popup_smilies`: item i shows smiley picture i with the
// caption ":)#" and its code 10 + i, and choosing it reports that code.
class SmiliesMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int FirstCode = 10;
    static constexpr int Count = 18;

    // `pictures` are the chat's own smiley pictures (loadPictures), shared
    // rather than decoded a second time.
    explicit SmiliesMenu(const RichImageList& pictures, QWidget* parent = nullptr);

    // `imagelist_smilies`: the 18 pictures of 17 x 16, in code order.
    static RichImageList loadPictures();

signals:
    void smileyChosen(int code);
};
