#pragma once

#include "server/ban_list.h"

#include <QString>

// The table's ban list as kept on disk (--bans): read once at start, written
// whole after every change, so a ban outlives a restart. Without a path the
// list lives in memory only.
class BanFile {
public:
    explicit BanFile(QString path = {}) : m_path(std::move(path)) { }

    // Reads the file. A missing file is an empty list (it is made at the first
    // ban); one that cannot be read is an error, as a table that quietly
    // forgot its bans would let everyone back in. Lines that hold no ban are
    // counted in *skipped.
    bool load(QString* error, int* skipped = nullptr);
    // Replaces the file with the list as it stands now; false with *error
    // when it did not reach the disk (the old file then stays).
    bool save(QString* error);

    BanList& list() { return m_list; }
    const BanList& list() const { return m_list; }
    const QString& path() const { return m_path; }

private:
    QString m_path;
    BanList m_list;
};
