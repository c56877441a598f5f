#include "tile_set_menu.h"

#include "chat/core/tile_set.h"

#include <QActionGroup>
#include <QMenu>
#include <QMessageBox>

TileSetMenu::TileSetMenu(TileSet& tiles, QMenu* menu, QWidget* window)
    : QObject(menu), m_tiles(tiles), m_menu(menu), m_window(window), m_group(new QActionGroup(this))
{
    // Optional: no item is ticked while the built-in set shows.
    m_group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
}

QString TileSetMenu::builtInCaption()
{
    return tr("Built-in");
}

void TileSetMenu::tilemenu()
{
    // The built-in set carries the empty name, as the settings store it, so
    // no set of the player's can take its place.
    QAction* builtIn = m_menu->addAction(builtInCaption());
    builtIn->setCheckable(true);
    m_group->addAction(builtIn);
    connect(builtIn, &QAction::triggered, this, [this, builtIn] { tilemenuClick(builtIn); });
    m_menu->addSeparator();
    for (const QString& name : m_tiles.listSets())
        createtilemenu(name);
    tickCurrent();
}

QAction* TileSetMenu::createtilemenu(const QString& name)
{
    QString caption = name;
    QAction* a = m_menu->addAction(caption.replace(u'&', QStringLiteral("&&")));
    a->setData(name);
    a->setCheckable(true);
    m_group->addAction(a);
    connect(a, &QAction::triggered, this, [this, a] { tilemenuClick(a); });
    return a;
}

bool TileSetMenu::loadtile(const QString& name)
{
    QString error;
    const TileSet::LoadResult result = m_tiles.loadtile(name, &error);
    if (result == TileSet::LoadResult::Unreadable) {
        // Not modal: the message must not stop the game's message handling.
        auto* box =
            new QMessageBox(QMessageBox::Warning, QStringLiteral("Gloop Dash"), error, QMessageBox::Ok, m_window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    tickCurrent();
    return result == TileSet::LoadResult::Loaded;
}

void TileSetMenu::tilemenuClick(QAction* item)
{
    if (item->data().toString().isEmpty()) {
        m_tiles.useBuiltIn();
        tickCurrent();
        emit tileSetChosen(m_tiles.currentTileSet());
    } else if (loadtile(item->data().toString())) {
        emit tileSetChosen(m_tiles.currentTileSet());
    }
}

QAction* TileSetMenu::item(const QString& name) const
{
    for (QAction* a : m_group->actions()) {
        if (a->data().toString() == name)
            return a;
    }
    return nullptr;
}

// The click has already flipped the item's tick; put the ticks back in line
// with the set actually in use.
void TileSetMenu::tickCurrent()
{
    QAction* current = item(m_tiles.currentTileSet());
    for (QAction* a : m_group->actions())
        a->setChecked(a == current);
}
