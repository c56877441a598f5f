#pragma once

#include "side/core/string_grid.h"

#include <QByteArray>
#include <QString>

// The tally file "gloopdashtally.tld" in the game's home folder: the tally table
// as text, compressed into a "WRZL" container. The text is kept in memory and the
// file is replaced in one rename, so a crash or a full disk leaves either the old
// or the new file, never half of one.
class TallyFile {
public:
    static QString fileName() { return QStringLiteral("gloopdashtally.tld"); }

    explicit TallyFile(const QString& folder);
    const QString& path() const { return m_path; }
    // Where a file that could not be read is kept, so that the next save does
    // not destroy the only copy of the player's tally.
    QString badPath() const { return m_path + QStringLiteral(".bad"); }

    enum class Status { Missing, Loaded, Unreadable };
    struct LoadResult {
        Status status = Status::Missing;
        StringGrid grid;
        QString error; // the text for the player when Unreadable
    };
    // Reads the file. An unreadable one is moved to badPath() (replacing an older
    // one there) before this returns.
    LoadResult load() const;
    // Writes the table; false with `error` set when the file could not be
    // replaced, in which case the old file is untouched.
    bool save(const StringGrid& grid, QString* error = nullptr) const;

    // The file's bytes and back. decode() checks the table is a tally (9
    // columns, at least the own row) and raises ELzrw1Exception, naming `name`,
    // for anything it cannot read.
    static QByteArray encode(const StringGrid& grid);
    static StringGrid decode(const QByteArray& bytes, const QString& name);
    // Reads and decodes the file at `path`; raises ELzrw1Exception.
    static StringGrid read(const QString& path);

private:
    QString m_path;
};
