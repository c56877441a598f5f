#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

// Replacing a file the game owns (settings, tally) so that it is either the old
// file or the new one, whole. QSaveFile alone is not enough: in Qt 6.4 its
// commit() reports success when its buffered bytes could not reach the disk
// (a full disk) and renames the short file over the old one.
class WholeFile {
public:
    // Writes bytes to path through a new file beside it and renames it over the
    // old one. False with *error set (the system's reason) when any byte did not
    // reach the disk; the old file is then untouched.
    static bool write(const QString& path, const QByteArray& bytes, QString* error = nullptr);

    // Ends a QSaveFile the caller has written to: pushes out its buffer, and
    // renames it over the old file only when every byte got written. Otherwise
    // drops the new file and returns false with *error set.
    static bool commit(QSaveFile& file, QString* error = nullptr);
};
