#include "side/core/spy_roster.h"

namespace {

QString entry(int slot, const QString& name)
{
    return QString::number(slot) + QStringLiteral(": ") + name;
}

} // namespace

void SpyRoster::addspy(int slot, const QString& name)
{
    if (const int former = int(m_slots.indexOf(slot)); former >= 0)
        removeAt(former);
    else if (m_entries.size() >= MaxEntries)
        removeAt(0);
    m_entries << entry(slot, name);
    m_slots << slot;
    emit added(m_entries.last());
}

void SpyRoster::removeAt(int index)
{
    m_entries.removeAt(index);
    m_slots.removeAt(index);
    emit removed(index);
}

bool SpyRoster::removespy(int slot, const QString& name)
{
    const QString wanted = entry(slot, name);
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).compare(wanted, Qt::CaseInsensitive) == 0) {
            removeAt(i);
            return true;
        }
    }
    return false;
}

void SpyRoster::clear()
{
    m_entries.clear();
    m_slots.clear();
    emit cleared();
}
