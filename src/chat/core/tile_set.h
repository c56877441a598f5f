#pragma once

#include "tile_pictures.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The tile sets in the "gloopdashtiles" folders: the one shipped with the game
// and the player's own (PlayerFolders). One bitmap per set, named by its file
// name up to the first ".". Keeps the name of the
// set in use (`CurrentTileSet`, empty while the built-in pictures show) and
// hands out the pictures of a set once they were read.
class TileSet : public QObject {
    Q_OBJECT
public:
    enum class LoadResult { Loaded, Missing, Unreadable };

    static QString folderName() { return QStringLiteral("gloopdashtiles"); }

    // ownFolder holds the player's tile-set folder (by default the player's
    // data folder); shippedFolder the game's, by default where the program
    // finds its shipped data.
    explicit TileSet(const QString& ownFolder = {}, QObject* parent = nullptr);
    TileSet(const QString& ownFolder, const QString& shippedFolder, QObject* parent = nullptr);

    // Set names in the order the folders list their "*.bmp" files, the shipped
    // ones first, each name once.
    QStringList listSets() const;

    // `loadtile`: reads the set of that name. Only a successful read changes
    // `CurrentTileSet` and the pictures (and emits picturesChanged); a missing
    // file changes nothing, and an unreadable one sets *error to the message
    // the user should see.
    LoadResult loadtile(const QString& name, QString* error = nullptr);

    // Goes back to the game's own pictures: `CurrentTileSet` becomes empty.
    void useBuiltIn();

    QString currentTileSet() const { return m_current; }
    // The pictures of the set in use; empty lists while the built-in set shows.
    const TilePictures& pictures() const { return m_pictures; }

signals:
    void picturesChanged(const TilePictures& pictures);

private:
    QString bitmapPath(const QString& name) const;

    QStringList m_folders; // the player's own first
    QString m_current;
    TilePictures m_pictures;
};
