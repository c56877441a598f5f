#pragma once

#include <QObject>
#include <QStringList>

// Who watches the game (slots above 6), one entry "slot: name" each, in order
// of arrival: what the spy list window shows, kept from the start whether or
// not that window was ever opened.
class SpyRoster : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const QStringList& entries() const { return m_entries; }

    // A watcher arrived: appends "slot: name".
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
    QStringList m_entries;
};
