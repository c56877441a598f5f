#pragma once

#include "net/discovery_datagram.h"

#include <QString>

// One table a game list shows: what the table said of itself, where to join
// it, and how long its answer took. Every source of tables (the local network,
// an internet list) fills these, so one list model and one view serve them all.
struct TableRow {
    TableAnnouncement table;
    // Where to join, as the player would write it ("10.0.0.2:7772",
    // "[fe80::1%eth0]:7772").
    QString address;
    // The address is IPv6: the same table heard over IPv4 shows the IPv4 one.
    bool ipv6 = false;
    double answerMs = 0;
    // When it was heard, on a steady clock in milliseconds.
    qint64 heardMs = 0;
};
