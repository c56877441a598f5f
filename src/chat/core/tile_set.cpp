#include "tile_set.h"

#include "base/player_folders.h"

#include <QDir>
#include <QImageReader>

namespace {

QString setName(const QString& fileName)
{
    return fileName.section(u'.', 0, 0);
}

} // namespace

TileSet::TileSet(const QString& ownFolder, QObject* parent)
    : TileSet(ownFolder, PlayerFolders::forThisProgram().shippedFolder(), parent)
{
}

TileSet::TileSet(const QString& ownFolder, const QString& shippedFolder, QObject* parent) : QObject(parent)
{
    const QString own = ownFolder.isEmpty() ? PlayerFolders::forThisProgram().dataFolder() : ownFolder;
    m_folders.append(QDir::cleanPath(QDir(own).absoluteFilePath(folderName())));
    const QString shipped = QDir::cleanPath(QDir(shippedFolder).absoluteFilePath(folderName()));
    // In the build folder without GLOOPDASH_HOME both are one folder.
    if (!shippedFolder.isEmpty() && shipped != m_folders.first())
        m_folders.append(shipped);
}

// The shipped sets come first; a set of the player's own with the same name
// takes the place of the shipped one.
QStringList TileSet::listSets() const
{
    QStringList names;
    for (auto folder = m_folders.crbegin(); folder != m_folders.crend(); ++folder) {
        const QStringList files = QDir(*folder).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Unsorted);
        for (const QString& file : files) {
            const QString name = setName(file);
            // A file named ".bmp" gives no name; an empty "Tiles" means the built-in set.
            if (!name.isEmpty() && !names.contains(name))
                names.append(name);
        }
    }
    return names;
}

TileSet::LoadResult TileSet::loadtile(const QString& name, QString* error)
{
    const QString path = bitmapPath(name);
    if (path.isEmpty())
        return LoadResult::Missing;
    QImageReader reader(path);
    const QImage strip = reader.read();
    if (strip.isNull()) {
        if (error)
            *error = tr("Cannot load the tile set %1: %2").arg(path, reader.errorString());
        return LoadResult::Unreadable;
    }
    m_pictures = TilePictures::fromStrip(strip);
    m_current = name;
    emit picturesChanged(m_pictures);
    return LoadResult::Loaded;
}

void TileSet::useBuiltIn()
{
    m_pictures = TilePictures{};
    m_current.clear();
    emit picturesChanged(m_pictures);
}

// The bitmap of a set: the file "<name>.bmp" in the player's folder, else in
// the shipped one, its extension in any letter case since the folders are
// listed that way. Names that would leave the folder, or that no listed file
// could give, have no bitmap.
QString TileSet::bitmapPath(const QString& name) const
{
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(u'.'))
        return {};
    const QString wanted = name + QStringLiteral(".bmp");
    for (const QString& folder : m_folders) {
        const QDir dir(folder);
        const QStringList files = dir.entryList({QStringLiteral("*.bmp")}, QDir::Files);
        for (const QString& file : files) {
            if (file.startsWith(name) && file.compare(wanted, Qt::CaseInsensitive) == 0)
                return dir.filePath(file);
        }
    }
    return {};
}
