#pragma once

#include "support_player.h"

#include "server/host_options.h"
#include "server/server.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

// The game server on a free port of this process, with its round clock moved
// only by the test, and the peers that talk to it (owned here, so a time-out can
// be marked in every recording).
class Host {
public:
    // Fast: every queued message is handled as soon as the event loop turns,
    // instead of one per 10 ms, so that tests of what the server does with a
    // message need not wait for its rate limit. Tests of the rate limit and the
    // queue itself use the server's own pace.
    enum class Pace { Fast, Real };
    explicit Host(Pace pace = Pace::Fast);
    ~Host();

    Server& server() { return *m_server; }
    quint16 port() const { return m_server->port(); }

    // An honest player logged in under this name; nullptr when the login failed.
    Player* join(const QByteArray& name);
    // A connection that has not logged in yet (it has its slot, though).
    WireClient* connect(int receiveBuffer = 0);
    // Closes and forgets a peer.
    void drop(WireClient* peer);

    // Runs the round clock until the phase changes: the round's time is out, or
    // the pause is over and the next round is dealt.
    void timeOut();
    // Waits until every queued message has been handled.
    bool settle(int timeoutMs = 5000);
    // While held, queued messages wait until the test dispatches them itself.
    void holdQueue(bool hold);

    // Bytes of heap in use by the whole process (server and peers).
    static qint64 liveHeap();

    // Honest players still play a round: the first starts a game, each takes
    // tiles, a chat line reaches everybody, the round times out and the scores
    // the server posts match what every player added up for itself. Returns
    // what went wrong, or an empty text.
    QString honestRound(const QList<Player*>& players, int picksEach = 5);

private:
    QString checkScores(const QList<Player*>& players);

    void pump();

    FixedHostOptions m_options;
    Pace m_pace;
    bool m_held = false;
    QTimer m_pump;
    std::unique_ptr<Server> m_server;
    std::vector<std::unique_ptr<WireClient>> m_peers;
};
