#pragma once

#include <QObject>
#include <QStringList>

// Who watches the game (slots above 6), one entry "slot: name" each, in order
// of arrival: what the spy list window shows, kept from the start whether or
// not that window was ever opened. It holds one entry per slot and no more
// than the table has watchers' slots, whatever a table sends.
class SpyRoster : public QObject {
    Q_OBJECT
public:
    // The table's watchers' slots.
    static constexpr int MaxEntries = 3;

    using QObject::QObject;

    const QStringList& entries() const { return m_entries; }

    // A watcher arrived: appends "slot: name", in place of the slot's former
    // entry, or of the oldest one when the list is full.
    void addspy(int slot, const QString& name);
    // A participant left: removes the entry "slot: name" (letter case ignored);
    // false when there was none, as for a player in slots 1 to 6.
    bool removespy(int slot, const QString& name);
    // Nobody watches: the table before a new connection.
    void clear();

signals:
    void added(const QString& entry);
    void removed(int index);
    void cleared();

private:
    void removeAt(int index);

    QStringList m_entries;
    QList<int> m_slots;
};
