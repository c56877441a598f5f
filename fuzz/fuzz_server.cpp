// One connection's byte stream into a game server, carried in memory: the
// server's read handler and message splitter, its queue and the dispatcher's
// rate limit, every handler, the game table and the rules behind them, and the
// sends back out to every seat. No sockets, no timers and no event loop: the
// harness steps the dispatcher's clock and the round clock itself.
//
// The fuzzed connection holds slot 1, the host's seat (the only one whose kick
// is honoured); two honest peers log in as slots 2 and 3 and take everything
// the server sends. Each complete message of the input is sent and handled
// before the next one goes out, so a run replays exactly. An empty message
// stands for the round clock running out: the round's time is up, or the pause
// is over. Only the first MaxDeals rounds an input deals count (time-outs and
// game starts past them are not passed on): that is a classic game and its
// tie-break round, so a game's end is reached in either mode. Each further
// deal would only be one more the same way, at the cost of a whole deal
// (mutations make runs of hundreds). At the end the fuzzed peer
// hangs up and its departure is handled. Deals come from a fixed seed, the one
// the recorded games of the seed corpus were dealt with.
//
// One server and its honest peers serve every input: building and seating
// them costs more than most inputs. Between inputs the table is reset to how
// it stands once the honest peers have logged in (a peer the input had removed
// logs in again), and the harness stops the run if anything of the last input
// is left over, so an input replayed alone runs exactly as among the others.
#include "fuzz_support.h"
#include "net/dispatch_clock.h"
#include "net/game_random.h"
#include "net/memory_sock.h"
#include "net/message_splitter.h"
#include "net/protocol_to_server.h"
#include "net/protocol_words.h"
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
constexpr int MaxDeals = 7;
constexpr char End = MessageSplitter::Terminator;

// The server, its clock and its three peers.
struct Rig {
    FixedHostOptions host;
    StepClock clock;
    Server server{host, 0};
    MemorySock* fuzzed = nullptr;
    std::array<MemorySock*, 2> honest{};
    int dealt = 0;
    // Carries each message the fuzzed peer sends. Once the server has cut the
    // message off its read nothing else holds this buffer, so the next
    // message reuses its room instead of a copy of its own.
    QByteArray sending;

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

    // The fuzzed peer connects, then each honest peer not seated (the first
    // time, or after the last input removed it) does and logs in. The rate is
    // then as after a quiet spell.
    void seat()
    {
        fuzzed = connect(1);
        for (int i = 0; i < int(honest.size()); ++i) {
            const int slot = 2 + i;
            if (server.game().players.loggedin(slot))
                continue;
            honest[size_t(i)] = connect(slot);
            honest[size_t(i)]->peerSends(
                ToServer::LoginInfo{slot, host.versionText(), "Honest" + QByteArray::number(slot)}.bytes());
            drain();
        }
        read();
        clock.advanceMs(1000);
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

    // The peers read what they were sent, so it does not pile up.
    void read()
    {
        fuzzed->takeSent();
        for (MemorySock* peer : honest)
            peer->takeSent();
    }

    // A message that deals a round: a game start, or the end of a pause.
    bool deals(QByteArrayView message)
    {
        if (message.isEmpty())
            return server.game().gamerunning && server.table().phase() == RoundPhase::Pause;
        return message.startsWith(Commands::word(Command::startgame));
    }

    // The round clock runs out: only its last second does anything, the ones
    // before only count down.
    void timeOut()
    {
        if (!server.game().gamerunning)
            return;
        server.game().countdown = 0;
        server.table().Timer1Timer();
    }

    // One message of the fuzzed peer, its terminator included; false once the
    // server has closed it.
    bool play(QByteArrayView sent)
    {
        const QByteArrayView message = sent.chopped(1);
        if (deals(message) && ++dealt > MaxDeals)
            return true;
        if (message.isEmpty())
            timeOut();
        else {
            sending.resize(0);
            sending.append(sent);
            fuzzed->peerSends(sending);
        }
        drain();
        read();
        return server.game().players.connected(1);
    }

    // The fuzzed peer hangs up and the table goes back to how it stood before.
    void clear()
    {
        fuzzed->peerCloses();
        drain();
        QCoreApplication::sendPostedEvents();
        read();
        if (!server.reset())
            std::abort();
        checkFresh();
        dealt = 0;
    }

    // What the next input could see of this one.
    void checkFresh()
    {
        const GameState& game = server.game();
        const PlayerTable& players = game.players;
        bool fresh = !game.gamerunning && game.gamemode == GameMode::None && game.round == 0
            && game.dealtTiles.isEmpty() && server.table().phase() == RoundPhase::BeforeFirstGame
            && !server.table().Timer1().isEnabled() && server.socktimer().queued() == 0 && server.socktimer().idle()
            && !players.connected(1) && players.slotcount <= 3;
        for (int slot = 1; slot <= Table::MaxSlots; ++slot) {
            const tplayer& p = players[slot];
            const bool seated = slot > 1 && slot <= 3 && players.loggedin(slot);
            fresh = fresh && p.connected == seated && p.loggedin == seated && p.name.isEmpty() != seated && p.total == 0
                && p.movecount == 0 && !p.watching && p.roundover == seated && p.moves.back() == tmove{}
                && p.board == Grid{};
        }
        if (!fresh)
            std::abort();
    }
};

void runOne(const QByteArray& input)
{
    static Rig t;
    static FuzzSupport::SeededRandom deals(DealSeed);
    deals.restart();
    t.seat();
    // Each complete message goes out as it stands in the input; bytes after
    // the last terminator end no message.
    const QByteArrayView bytes(input);
    for (qsizetype start = 0, end = bytes.indexOf(End); end >= 0; start = end + 1, end = bytes.indexOf(End, start))
        if (!t.play(bytes.sliced(start, end + 1 - start)))
            break;
    t.clear();
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
