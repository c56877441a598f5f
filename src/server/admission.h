#pragma once

#include "net/token_bucket.h"

#include <QHash>
#include <QList>
#include <QString>

// Who of the connections arriving may come in. Two rules keep one address
// from holding the table against everyone else:
// - pace: an address may open `burst` connections in a row, then so many a
//   second; past that its connections are turned away at once, with no reply
//   and nothing kept, so a storm of them costs the table next to nothing;
// - room: while the table is full, a newcomer from an address with fewer than
//   WaitingPerAddress connections still waiting to log in takes the slot of
//   the newest such connection of an address that has more. Squatters that
//   never log in and reconnect the moment they are closed then keep at most
//   that many slots, and a player from elsewhere always finds a seat.
class Admission {
public:
    static constexpr int ConnectBurst = 30;
    static constexpr int ConnectsPerSecond = 20;
    static constexpr int WaitingPerAddress = 2;
    // Addresses whose pace is remembered; past it those back at full credit
    // are forgotten (and, failing that, all), so the book cannot grow without bound.
    static constexpr int RememberedAddresses = 4096;

    // A connection that has not logged in yet.
    struct Waiting {
        int slot = 0;
        QString address;
        qint64 serial = 0;
    };

    // Whether `address` may open a connection now (takes its turn if so).
    bool mayConnect(const QString& address, qint64 nowNs);
    void setPace(int burst, int perSecond);
    // The slot to free for a newcomer from `address` at a full table, 0 for none.
    static int roomFor(const QString& address, const QList<Waiting>& waiting);

private:
    void forgetIdle(qint64 nowNs);

    int m_burst = ConnectBurst;
    int m_perSecond = ConnectsPerSecond;
    QHash<QString, TokenBucket> m_pace;
};
