#include "side/core/spy_roster.h"

namespace {

QString entry(int slot, const QString& name)
{
    return QString::number(slot) + QStringLiteral(": ") + name;
}

} // namespace

void SpyRoster::addspy(int slot, const QString& name)
{
    m_entries << entry(slot, name);
    emit added(m_entries.last());
}

bool SpyRoster::removespy(int slot, const QString& name)
{
    const QString wanted = entry(slot, name);
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).compare(wanted, Qt::CaseInsensitive) == 0) {
            m_entries.removeAt(i);
            emit removed(i);
            return true;
        }
    }
    return false;
}

void SpyRoster::clear()
{
    m_entries.clear();
    emit cleared();
}
