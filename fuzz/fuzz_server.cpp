// One connection's byte stream into a game server, carried in memory: the
// server's read handler and message splitter, its queue and the dispatcher's
// rate limit, every handler, the game table and the rules behind them, and the
// sends back out to every seat. No sockets, no timers and no event loop: the
// harness steps the dispatcher's clock and the round clock itself.
//
// The fuzzed connection comes first, so it holds slot 1, the host's seat (the
// only one whose kick is honoured); two honest peers log in as slots 2 and 3
// and take everything the server sends. Each complete message of the input is
// sent and handled before the next one goes out, so a run replays exactly. An
// empty message stands for the round clock running until its phase changes:
// the round's time is out, or the pause is over. Only the first MaxTimeOuts of
// them count: that is two whole games of rounds and pauses, and each further
// one would only deal another tie-break round the same way, at the cost of a
// whole deal (mutations make runs of hundreds). At the end the fuzzed peer
// hangs up and its departure is handled. Deals come from a fixed seed, the one
// the recorded games of the seed corpus were dealt with. Every input gets a
// server of its own, so none inherits another's state; building and seating
// one costs about what a single deal does.
#include "fuzz_support.h"
#include "net/dispatch_clock.h"
#include "net/game_random.h"
#include "net/memory_sock.h"
#include "net/message_splitter.h"
#include "net/protocol_to_server.h"
#include "server/host_options.h"
#include "server/server.h"

#include <QCoreApplication>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr unsigned DealSeed = 20240611;
constexpr int MaxTimeOuts = 24;
constexpr char End = MessageSplitter::Terminator;

// The server, its clock and its three peers, as one input sees them.
struct Rig {
    FixedHostOptions host;
    StepClock clock;
    Server server{host, 0};
    MemorySock* fuzzed = nullptr;
    std::array<MemorySock*, 2> honest{};
    int timeOuts = 0;

    Rig()
    {
        server.table().Timer1().setRealTime(false);
        server.socktimer().setManual(true);
        server.socktimer().setClock(clock);
    }

    MemorySock* connect(int expectedSlot)
    {
        auto sock = std::make_unique<MemorySock>();
        MemorySock* peer = sock.get();
        if (server.takeConnection(std::move(sock)) != expectedSlot)
            std::abort();
        return peer;
    }

    // Handles everything queued, in the dispatcher's turns and at its rate: the
    // clock moves on whenever the rate holds the next message back. Calls the
    // server posted for after a handler (a departure's look at the round) run
    // where the event loop would run them, before the next message.
    void drain()
    {
        Dispatcher& queue = server.socktimer();
        while (queue.queued() > 0) {
            if (!queue.dispatchIfDue())
                clock.advanceMs(Server::DispatchIntervalMs);
            QCoreApplication::sendPostedEvents();
        }
    }

    // The honest peers read what they were sent, so it does not pile up.
    void read()
    {
        fuzzed->takeSent();
        for (MemorySock* peer : honest)
            peer->takeSent();
    }

    void timeOut()
    {
        GameTable& table = server.table();
        const int phase = table.phase();
        for (int i = 0; i < 200 && table.phase() == phase && server.game().gamerunning; ++i)
            table.Timer1Timer();
    }

    // One message of the fuzzed peer; false once the server has closed it.
    bool play(const QByteArray& message)
    {
        if (message.isEmpty()) {
            if (++timeOuts <= MaxTimeOuts)
                timeOut();
        } else
            fuzzed->peerSends(message + End);
        drain();
        read();
        return server.game().players.connected(1);
    }
};

void runOne(const QByteArray& input)
{
    GameRandom::seed(DealSeed);
    Rig t;
    t.fuzzed = t.connect(1);
    int slot = 2;
    for (MemorySock*& peer : t.honest) {
        peer = t.connect(slot);
        peer->peerSends(ToServer::LoginInfo{slot, t.host.versionText(), "Honest" + QByteArray::number(slot)}.bytes());
        t.drain();
        ++slot;
    }
    MessageSplitter splitter(0);
    bool open = true;
    for (const QByteArray& message : splitter.feed(input))
        if (!(open = t.play(message)))
            break;
    if (open) {
        t.fuzzed->peerCloses();
        t.drain();
    }
}

} // namespace

GD_FUZZ_WITHOUT_LEAK_CHECK()

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    runOne(FuzzSupport::bytes(data, size));
    return 0;
}
