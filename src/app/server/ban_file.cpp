#include "ban_file.h"

#include "base/whole_file.h"

#include <QFile>

bool BanFile::load(QString* error, int* skipped)
{
    if (m_path.isEmpty() || !QFile::exists(m_path))
        return true;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    m_list = BanList::fromText(file.readAll(), skipped);
    return true;
}

bool BanFile::save(QString* error)
{
    return m_path.isEmpty() || WholeFile::write(m_path, m_list.toText(), error);
}
