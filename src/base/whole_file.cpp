#include "base/whole_file.h"

#include <QSaveFile>

bool WholeFile::write(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return commit(file, error);
}

bool WholeFile::commit(QSaveFile& file, QString* error)
{
    // flush() is where a full disk shows: the bytes written so far sat in
    // Qt's buffer, and the write(2) behind it fails with "No space left".
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        // The new file is dropped when `file` goes; the old one stays.
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
