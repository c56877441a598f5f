// The server's side of the stream into a client, below the windows: the
// session's queue and dispatcher, the catalogue's decoding of every message a
// server sends, and the models that act on them without a widget: the game
// model (login, seats, scores, the round, the board mirror with its pick rule,
// the phrase queue), the winner's-path replay, and the chat line parser behind
// chat, action, phrase and status lines. fuzz_client_window drives the windows
// that observe them through a whole window, at a far lower rate.
//
// The model and its command table are built once: registering the table
// costs more than most inputs. Each input starts from the state a new
// connection finds: the model leaves the table as it does when the player
// leaves a game for another (login, slot, queue, seats, game), and the replay
// is made anew. Each complete message is handled in turn; an empty message
// stands for one second passing on the round's and the replay's clocks.
// After each message the local player clicks across the board while picking is open.
#include "chat/core/chat_line.h"
#include "client/core/client_log.h"
#include "client/core/game_model.h"
#include "client/core/path_replay_model.h"
#include "net/game_random.h"
#include "net/message_splitter.h"
#include "net/protocol.h"

#include "fuzz_support.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

// A line as the chat view would take it.
void show(const StyledLine& line)
{
    (void)ChatLineParser::parse(line);
}

void status(const QByteArray& text)
{
    show({0, QString::fromUtf8(text)});
}

struct Client {
    GameModel model;
    PathReplayModel replay;

    Client()
    {
        Dispatcher& d = model.session().dispatcher();
        d.setManual(true);
        onSession(d);
        onChat(d);
        onBoard(d);
        onRound(d);
    }

    template <class Msg, class Handler>
    static void handle(Dispatcher& d, Handler handler)
    {
        Protocol::on<Msg>(d, std::move(handler), lcClient);
    }

    void onSession(Dispatcher& d)
    {
        handle<ToClient::SendLoginInfo>(d, [this](const ToClient::SendLoginInfo& m) {
            if (Table::isSlot(m.slot))
                model.session().sendloginfo(m.slot, QByteArrayLiteral("fuzz"));
        });
        handle<ToClient::HaveWrongVersion>(d, [](const ToClient::HaveWrongVersion& m) { status(m.text); });
        handle<ToClient::WrongVersion>(d, [](const ToClient::WrongVersion&) {});
        handle<ToClient::Full>(d, [](const ToClient::Full&) {});
        handle<ToClient::Kicked>(d, [](const ToClient::Kicked&) {});
        handle<ToClient::Host>(d, [this](const ToClient::Host& m) { model.setHostSlot(m.slot); });
        handle<ToClient::NewPlayerInfo>(d, [this](const ToClient::NewPlayerInfo& m) {
            status(m.text);
            model.playerArrived(m.slot, QString::fromUtf8(m.text));
        });
        handle<ToClient::ExistingPlayers>(
            d, [this](const ToClient::ExistingPlayers& m) { model.playerArrived(m.slot, QString::fromUtf8(m.text)); });
        handle<ToClient::PlayerDisconnected>(d, [this](const ToClient::PlayerDisconnected& m) {
            status(m.text);
            model.playerLeft(m.slot, QString::fromUtf8(m.text));
        });
        handle<ToClient::JustWatching>(d, [this](const ToClient::JustWatching& m) {
            model.seatWatching(m.slot, m.value == ToClient::JustWatching::Watching);
        });
    }

    void onChat(Dispatcher& d)
    {
        const auto relayed = [](int slot, const QByteArray& text) { show(ChatLineParser::received(slot, text).line); };
        handle<ToClient::Chat>(d, [relayed](const ToClient::Chat& m) { relayed(m.slot, m.text); });
        handle<ToClient::Action>(d, [relayed](const ToClient::Action& m) { relayed(m.slot, m.text); });
        handle<ToClient::Phrase>(d, [this](const ToClient::Phrase& m) {
            (void)ChatLineParser::splitPhrase(QString::fromUtf8(m.text));
            model.queuePhrase(QString::fromUtf8(m.text));
        });
        handle<ToClient::PlayASound>(d, [](const ToClient::PlayASound&) {});
    }

    void onBoard(Dispatcher& d)
    {
        GameModel& g = model;
        handle<ToClient::SetTiles>(d, [&g](const ToClient::SetTiles& m) { g.setTiles(m); });
        handle<ToClient::SetBonus>(d, [&g](const ToClient::SetBonus& m) { g.setBonus(m); });
        handle<ToClient::SetNextTile>(d, [&g](const ToClient::SetNextTile& m) { g.setNextTile(m); });
        handle<ToClient::SetNnTile>(d, [&g](const ToClient::SetNnTile& m) { g.setAfterNextTile(m); });
        handle<ToClient::RemoveTile>(d, [&g](const ToClient::RemoveTile& m) { g.removeTile(m); });
        handle<ToClient::Bombed>(d, [&g](const ToClient::Bombed& m) { g.bombed(m); });
        handle<ToClient::Error>(d, [&g](const ToClient::Error& m) { g.refused(m); });
    }

    void onRound(Dispatcher& d)
    {
        GameModel& g = model;
        handle<ToClient::StartGame>(d, [&g](const ToClient::StartGame& m) { g.startGame(m); });
        handle<ToClient::LoadStats>(d, [&g](const ToClient::LoadStats& m) { g.loadStats(m); });
        handle<ToClient::NextPlayer>(d, [&g](const ToClient::NextPlayer& m) { g.nextPlayer(m); });
        handle<ToClient::TurnOver>(d, [&g](const ToClient::TurnOver& m) { g.turnOver(m); });
        handle<ToClient::PostScores>(d, [&g](const ToClient::PostScores& m) { g.postScores(m); });
        handle<ToClient::Winner>(d, [&g](const ToClient::Winner& m) {
            status(m.text);
            g.winner(m);
        });
        handle<ToClient::ResetTiles>(d, [this](const ToClient::ResetTiles& m) { replay.settiles(m.cells); });
        handle<ToClient::ResetBonus>(d, [this](const ToClient::ResetBonus& m) { replay.setbonus(m.cells); });
        handle<ToClient::ThePath>(d, [this](const ToClient::ThePath& m) { replay.start(m); });
    }

    // What a click could be decided on: the board's cells, the tiles in hand
    // and next, whose turn it is and who the local player is.
    struct Sweep {
        BoardGrid cells;
        int current = 0;
        int next = 0;
        int currentplayer = 0;
        int myslot = 0;
        bool loggedin = false;
        friend bool operator==(const Sweep& a, const Sweep& b)
        {
            return a.cells.tiles == b.cells.tiles && a.cells.bonus == b.cells.bonus && a.current == b.current
                && a.next == b.next && a.currentplayer == b.currentplayer && a.myslot == b.myslot
                && a.loggedin == b.loggedin;
        }
    };
    // The last sweep whose every click was refused; a refused click changes nothing.
    std::optional<Sweep> refused;

    // A click on every cell in turn while picking is open, as a player would.
    // A sweep that would repeat the last refused one click for click (after a
    // chat line, say) is not made again: each click would be refused again.
    void pickAll()
    {
        const BoardModel& board = model.board();
        if (!board.canselect())
            return;
        Sweep sweep;
        sweep.cells = board.grid();
        sweep.current = board.currentTile();
        sweep.next = board.nextTile();
        sweep.currentplayer = board.currentplayer();
        sweep.myslot = model.myslot();
        sweep.loggedin = model.loggedin();
        if (refused == sweep)
            return;
        for (int px = 4; px < 312 && board.canselect(); px += 52)
            for (int py = 4; py < 312 && board.canselect(); py += 52)
                model.pick(px, py);
        refused = board.canselect() ? std::optional(sweep) : std::nullopt;
    }

    // One second on the round's clock: the bubble takes its next phrase.
    void tick()
    {
        model.tick();
        (void)model.takePhrase();
        (void)replay.step();
    }
};

void runOne(const QByteArray& input)
{
    static Client client;
    GameModel& model = client.model;
    model.session().disconnectFromServer();
    model.leaveTable();
    client.replay = PathReplayModel();
    client.refused.reset();
    // What the handlers read of the model must be as a new connection finds it.
    if (model.myslot() != 0 || model.loggedin() || model.mode() != GameMode::None || model.gameRunning()
        || model.seats().seated(1) || !model.phrases().isEmpty() || model.session().dispatcher().queued() != 0)
        std::abort();
    static FuzzSupport::SeededRandom random(1);
    random.restart();
    Dispatcher& queue = model.session().dispatcher();
    // Each message is handled as it is cut off, with no list of them all.
    MessageSplitter splitter(0);
    splitter.feedEach(input, [&queue](const QByteArray& message) {
        if (message.isEmpty()) {
            client.tick();
            return true;
        }
        queue.enqueue(message);
        while (queue.dispatchOne()) { }
        client.pickAll();
        return true;
    });
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
