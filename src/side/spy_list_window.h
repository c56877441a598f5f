#pragma once

#include <QWidget>

class QAction;
class QListWidget;
class QMenu;
class SpyRoster;

// The spy list window: shows a SpyRoster (everyone connected as a watcher,
// one entry "slot: name" each), and for the hosting copy a right-click
// "Remove From Game". The entry acted on is the one under the pointer, not
// the selected one. The window may be made at any time: it reads the roster
// when made and follows it from then on.
class Tspylist : public QWidget {
    Q_OBJECT
public:
    explicit Tspylist(const SpyRoster& roster, QWidget* parent = nullptr);

    // The tile painted behind the window: the main window's background picture.
    void setBackgroundPicture(const QPixmap& picture);

    // "Remove From Game" is offered only while we hold the host's powers.
    void setKickEnabled(bool enabled);

    QListWidget* listbox() const { return m_list; }
    QMenu* popupKick() const { return m_popup; }
    // Position of the entry under the pointer at its last movement over the list; -1 for none.
    int pointed() const { return m_pointed; }

    // "Remove From Game": asks the main window to remove the pointed watcher.
    void popup_kickhimClick();

signals:
    // The main window's `kicking`: acts only while this copy hosts and is logged in.
    void kicking(int slot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireRoster(const SpyRoster& roster);

    QListWidget* m_list = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_kick = nullptr;
    int m_pointed = -1;
};

using SpyListWindow = Tspylist;
