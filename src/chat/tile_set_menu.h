#pragma once

#include <QObject>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;
class TileSet;

// The "Tile Set" menu: "Built-in" for the game's own pictures, then one radio
// item per set in the tile-set folders, listed once at start-up. Choosing an
// item loads its set; the item is ticked only once its bitmap was read, so the
// tick, `CurrentTileSet` and the stored "Tiles" setting always name the set in
// use.
class TileSetMenu : public QObject {
    Q_OBJECT
public:
    // menu is the window's "Tile Set" menu; unreadable bitmaps are reported in
    // a message box over window.
    TileSetMenu(TileSet& tiles, QMenu* menu, QWidget* window);

    static QString builtInCaption();

    // `tilemenu`: fills the menu from the folder.
    void tilemenu();
    // `createtilemenu`: appends one radio item for a set.
    QAction* createtilemenu(const QString& name);
    // `loadtile`: loads a set by name (also from the settings) and ticks its
    // item; false when nothing was loaded.
    bool loadtile(const QString& name);
    // `tilemenuClick`: the handler of every item.
    void tilemenuClick(QAction* item);

    // The item of a set; the empty name is the built-in set's.
    QAction* item(const QString& name) const;

signals:
    // A set was chosen from the menu and is now in use: repaint the board and
    // write the settings.
    void tileSetChosen(const QString& name);

private:
    void tickCurrent();

    TileSet& m_tiles;
    QMenu* m_menu;
    QWidget* m_window;
    QActionGroup* m_group;
};
