// One connection's byte stream into a running game server whose other seats
// are real connections over loopback: the server's read handler and message
// splitter, its queue and every handler, the game table and the rules behind
// them, and the sends back out to every seat.
//
// The fuzzed connection connects first, so it holds slot 1, the host's seat
// (the only one whose kick is honoured); two honest clients log in as slots 2
// and 3 and read everything the server sends. Each complete message of the
// input is sent and handled before the next one goes out, so a run replays
// exactly. An empty message stands for the round clock running until its phase
// changes: the round's time is out, or the pause is over. Deals come from a
// fixed seed, the one the recorded games of the seed corpus were dealt with.
#include "fuzz_support.h"
#include "net/game_random.h"
#include "net/message_splitter.h"
#include "net/protocol_to_server.h"
#include "server/host_options.h"
#include "server/server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpSocket>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

constexpr unsigned DealSeed = 20240611;
constexpr char End = MessageSplitter::Terminator;

// Turns the event loop until `done` holds; a second is far more than loopback
// needs, so running out of it is a hang worth reporting.
void spin(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(1000);
    while (!done()) {
        if (deadline.hasExpired())
            std::abort();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

void drain(Server& server)
{
    while (server.socktimer().dispatchOne()) {
    }
}

struct Client {
    QTcpSocket socket;
    QByteArray received;

    void read() { received += socket.readAll(); }
};

// Connects and waits for the server's greeting, so slots are given in order.
bool connectClient(Client& c, Server& server)
{
    c.socket.connectToHost(QStringLiteral("127.0.0.1"), server.port());
    // Each message goes out at once instead of waiting for the last one's ACK.
    c.socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    spin([&] {
        c.read();
        return c.received.contains(End) || c.socket.state() == QAbstractSocket::UnconnectedState;
    });
    return c.socket.state() == QAbstractSocket::ConnectedState;
}

void timeOut(Server& server)
{
    GameTable& table = server.table();
    const int phase = table.phase();
    for (int i = 0; i < 200 && table.phase() == phase && server.game().gamerunning; ++i)
        table.Timer1Timer();
}

// Sends one message of the fuzzed connection and has the server handle it.
// False once the server has closed that connection.
bool play(Server& server, Client& fuzzed, std::array<Client, 2>& honest, const QByteArray& message)
{
    if (message.isEmpty()) {
        timeOut(server);
    } else {
        fuzzed.socket.write(message + End);
        fuzzed.socket.flush();
        spin([&] {
            return server.socktimer().queued() > 0 || !server.game().players.connected(1);
        });
        drain(server);
    }
    // Let the answers go out and be read, and any queued close happen.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    fuzzed.read();
    for (Client& c : honest)
        c.read();
    return server.game().players.connected(1);
}

void runOne(const QByteArray& input)
{
    GameRandom::seed(DealSeed);
    FixedHostOptions host;
    auto server = std::make_unique<Server>(host, 0);
    server->listen();
    server->table().Timer1().setRealTime(false);
    server->socktimer().setManual(true);

    Client fuzzed;
    std::array<Client, 2> honest;
    if (!connectClient(fuzzed, *server))
        std::abort();
    int slot = 2;
    for (Client& c : honest) {
        if (!connectClient(c, *server))
            std::abort();
        c.socket.write(ToServer::LoginInfo{slot, host.versionText(), "Honest" + QByteArray::number(slot)}.bytes());
        spin([&] { return server->socktimer().queued() > 0; });
        drain(*server);
        ++slot;
    }
    MessageSplitter splitter(0);
    for (const QByteArray& message : splitter.feed(input))
        if (!play(*server, fuzzed, honest, message))
            break;

    server.reset();
    fuzzed.socket.abort();
    for (Client& c : honest)
        c.socket.abort();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
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
