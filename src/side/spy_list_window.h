#pragma once

#include <QWidget>

class QAction;
class QListWidget;
class QMenu;

// The spy list: everyone connected as a watcher (slots above 6), one entry
// "slot: name" each, and for the hosting copy a right-click "Remove From Game".
// The entry acted on is the one under the pointer, not the selected one.
class Tspylist : public QWidget {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);

    // The tile painted behind the window: the main window's background picture.
    void setBackgroundPicture(const QPixmap& picture);

    // A watcher arrived: appends "slot: name".
    void addspy(int slot, const QString& name);
    // A participant left: removes the entry "slot: name" (letter case ignored);
    // false when there was none, as for a player in slots 1 to 6.
    bool removespy(int slot, const QString& name);

    // This copy hosts: "Remove From Game" becomes available, for good.
    void enableKick();

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
    QListWidget* m_list = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_kick = nullptr;
    int m_pointed = -1;
};

using SpyListWindow = Tspylist;
