#pragma once

#include "net/protocol_table.h"

#include <QByteArray>

#include <QObject>
#include <QString>

#include <array>

// Who sits in each of the six seats, as the players see it. The score panel's
// name labels only display these names; the player list, the chatter sounds
// and the end-of-game flow read them from here.
class SeatNames : public QObject {
    Q_OBJECT
public:
    static const QString Waiting; // "<Waiting>"

    explicit SeatNames(QObject* parent = nullptr);

    // A name as the table sent it, cut to the longest the server lets anyone
    // sit under: a hostile table's megabyte name must neither take our memory
    // nor hold the window up while it is laid out.
    static QString shortened(const QByteArray& utf8);

    // The seat's name, "<Waiting>" when nobody holds it or `slot` is no seat.
    QString name(int slot) const;
    // Whether a player holds the seat.
    bool seated(int slot) const;
    // Names a seat; slots that are no seat are ignored.
    void setName(int slot, const QString& name);
    // Every seat back to "<Waiting>".
    void clear();

signals:
    void nameChanged(int slot, const QString& name);

private:
    std::array<QString, Table::Seats + 1> m_names;
};
