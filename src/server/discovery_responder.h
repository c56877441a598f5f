#pragma once

#include "game_state.h"

#include "net/discovery_datagram.h"
#include "net/token_bucket.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

class HostOptions;

// Answers discovery queries on the table's game port (UDP, IPv4 and IPv6) with
// a snapshot of the table: its name, how many sit and watch, and how far the
// game has gone. It lives on the server's thread beside the listener and reads
// the server's GameState between the server's own handlers, so an answer costs
// play nothing but the time to build it. Each source address gets at most
// AnswersPerSecond answers; everything that is not a well-formed query is
// dropped without a word or a log line.
class DiscoveryResponder : public QObject {
    Q_OBJECT
public:
    static constexpr int AnswersPerSecond = 10;
    static constexpr int Burst = 5;
    // Source addresses remembered at once; past it, those quiet for a second
    // (whose buckets are full again anyway) are forgotten, and while every one
    // is fresh a new source waits, so a flood from forged addresses cannot
    // grow the table without bound.
    static constexpr int MaxSources = 4096;

    // `game` and `host` must outlive the responder. `gamePort` is the TCP
    // port the table listens on; the responder answers on the same UDP port.
    DiscoveryResponder(const GameState& game, const HostOptions& host, quint16 gamePort, QObject* parent = nullptr);

    // Binds the game port; false (and the table plays on unlisted) when it
    // cannot.
    bool start();
    quint16 port() const { return m_port; }
    QString id() const { return m_id; }
    // What an answer sent now would say.
    TableAnnouncement announcement() const;
    // Whether `source` may have an answer at `nowNs` (a steady clock); takes
    // its turn when it may.
    bool admit(const QHostAddress& source, qint64 nowNs);

private:
    void readQueries();
    void answer(const QNetworkDatagram& query);
    QString tableName() const;
    void forgetQuietSources(qint64 nowNs);

    struct Source {
        TokenBucket bucket{1'000'000'000 / AnswersPerSecond, Burst};
        qint64 lastNs = 0;
    };

    const GameState& m_game;
    const HostOptions& m_host;
    quint16 m_port;
    QString m_id;
    QUdpSocket m_socket;
    QElapsedTimer m_clock;
    QHash<QHostAddress, Source> m_sources;
};
