#include "tile_set.h"

#include "program_folder.h"

#include <QDir>
#include <QImageReader>

namespace {

QString setName(const QString& fileName)
{
    return fileName.section(u'.', 0, 0);
}

} // namespace

TileSet::TileSet(const QString& programFolder, QObject* parent)
    : QObject(parent),
      m_folder(QDir(programFolder.isEmpty() ? ::programFolder() : programFolder).filePath(folderName()))
{
}

QStringList TileSet::listSets() const
{
    QStringList names;
    const QStringList files = QDir(m_folder).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Unsorted);
    for (const QString& file : files) {
        const QString name = setName(file);
        // A file named ".bmp" gives no name; an empty "Tiles" means the built-in set.
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
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
            *error = QStringLiteral("Cannot load the tile set %1: %2").arg(path, reader.errorString());
        return LoadResult::Unreadable;
    }
    m_pictures = TilePictures::fromStrip(strip);
    m_current = name;
    emit picturesChanged(m_pictures);
    return LoadResult::Loaded;
}

// The bitmap of a set: the file "<name>.bmp" in the folder, its extension in
// any letter case since the folder is listed that way. Names that would leave
// the folder, or that no listed file could give, have no bitmap.
QString TileSet::bitmapPath(const QString& name) const
{
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(u'.'))
        return {};
    const QDir dir(m_folder);
    const QString wanted = name + QStringLiteral(".bmp");
    const QStringList files = dir.entryList({QStringLiteral("*.bmp")}, QDir::Files);
    for (const QString& file : files) {
        if (file.startsWith(name) && file.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(file);
    }
    return {};
}
