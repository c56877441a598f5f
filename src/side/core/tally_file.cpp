#include "side/core/tally_file.h"

#include "base/whole_file.h"
#include "side/core/lzrw1_errors.h"
#include "side/core/side_log.h"
#include "side/core/tally_table.h"
#include "side/core/tlzrw1.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

StringGrid tallyFromText(const QByteArray& text, const QString& name)
{
    StringGrid grid;
    if (!LoadStringGrid(grid, text) || grid.colCount() != TallyTable::Columns || grid.rowCount() < 1)
        throw ELzrw1Exception(QStringLiteral("Lzrw1 : Error reading from input file : ") + name);
    return grid;
}

} // namespace

TallyFile::TallyFile(const QString& folder) : m_path(QDir(folder).filePath(fileName()))
{
}

QByteArray TallyFile::encode(const StringGrid& grid)
{
    return Tlzrw1::compressBytes(SaveStringGrid(grid), QString());
}

StringGrid TallyFile::decode(const QByteArray& bytes, const QString& name)
{
    return tallyFromText(Tlzrw1::decompressBytes(bytes, name), name);
}

StringGrid TallyFile::read(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw ELzrw1Exception(QStringLiteral("Lzrw1 (de)compression : Failed to open input file : ") + path);
    // Decoded straight from the file: the header's length is never trusted
    // for an allocation, the text grows only with blocks actually present.
    QBuffer text;
    text.open(QIODevice::WriteOnly);
    Tlzrw1::decompressDevice(file, text, path, path);
    return tallyFromText(text.data(), path);
}

TallyFile::LoadResult TallyFile::load() const
{
    LoadResult result;
    if (!QFileInfo::exists(m_path))
        return result;
    try {
        result.grid = read(m_path);
        result.status = Status::Loaded;
    } catch (const ELzrw1Exception& e) {
        result.status = Status::Unreadable;
        result.error = e.text();
        QFile::remove(badPath());
        QFile::rename(m_path, badPath());
    }
    return result;
}

bool TallyFile::save(const StringGrid& grid, QString* error) const
{
    // An installed copy's data folder may not exist before the first save.
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (WholeFile::write(m_path, encode(grid), error))
        return true;
    qCWarning(lcSide) << "could not write the tally file" << m_path;
    return false;
}
