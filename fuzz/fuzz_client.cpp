// The server's side of the stream into a client, below the windows: the
// session's queue and dispatcher, the catalogue's decoding of every message a
// server sends, and the models that act on them without a widget: the session's
// login and game state, the board mirror with its pick rule, the winner's-path
// replay, and the chat line parser behind chat, action, phrase and status
// lines. The turn flow and the player rows still live in the window's widgets;
// fuzz_client_window drives those through a whole window, at a far lower rate.
//
// The session and its command table are built once: registering the table
// costs more than most inputs. Each input starts from the state a new
// connection finds: the session forgets the last one as it does when the
// player leaves a game for another (login, slot, queue, game), and the board
// mirror and the replay are made anew. Each complete message is handled in turn; an empty message stands for one second
// passing on the replay's clock. After each message the local player clicks
// across the board while picking is open.
#include "chat/core/chat_line.h"
#include "client/core/board_model.h"
#include "client/core/client_log.h"
#include "client/core/client_session.h"
#include "client/core/path_replay_model.h"
#include "net/game_random.h"
#include "net/message_splitter.h"
#include "net/protocol.h"

#include "fuzz_support.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

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
    ClientSession session;
    BoardModel board;
    PathReplayModel replay;

    Client()
    {
        Dispatcher& d = session.dispatcher();
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
                session.sendloginfo(m.slot, QByteArrayLiteral("fuzz"));
        });
        handle<ToClient::HaveWrongVersion>(d, [](const ToClient::HaveWrongVersion& m) { status(m.text); });
        handle<ToClient::WrongVersion>(d, [](const ToClient::WrongVersion&) {});
        handle<ToClient::Full>(d, [](const ToClient::Full&) {});
        handle<ToClient::Kicked>(d, [](const ToClient::Kicked&) {});
        handle<ToClient::NewPlayerInfo>(d, [](const ToClient::NewPlayerInfo& m) { status(m.text); });
        handle<ToClient::ExistingPlayers>(d, [](const ToClient::ExistingPlayers& m) { status(m.text); });
        handle<ToClient::PlayerDisconnected>(d, [](const ToClient::PlayerDisconnected& m) { status(m.text); });
        handle<ToClient::JustWatching>(d, [](const ToClient::JustWatching&) {});
    }

    void onChat(Dispatcher& d)
    {
        const auto relayed = [](int slot, const QByteArray& text) { show(ChatLineParser::received(slot, text).line); };
        handle<ToClient::Chat>(d, [relayed](const ToClient::Chat& m) { relayed(m.slot, m.text); });
        handle<ToClient::Action>(d, [relayed](const ToClient::Action& m) { relayed(m.slot, m.text); });
        handle<ToClient::Phrase>(
            d, [](const ToClient::Phrase& m) { (void)ChatLineParser::splitPhrase(QString::fromUtf8(m.text)); });
        handle<ToClient::PlayASound>(d, [](const ToClient::PlayASound&) {});
    }

    void onBoard(Dispatcher& d)
    {
        handle<ToClient::SetTiles>(d, [this](const ToClient::SetTiles& m) { board.settiles(m); });
        handle<ToClient::SetBonus>(d, [this](const ToClient::SetBonus& m) { board.setbonus(m); });
        handle<ToClient::SetNextTile>(
            d, [this](const ToClient::SetNextTile& m) { board.setnexttile(m, session.myslot()); });
        handle<ToClient::SetNnTile>(d, [](const ToClient::SetNnTile&) {});
        handle<ToClient::RemoveTile>(d,
                                     [this](const ToClient::RemoveTile& m) { board.removetile(m, session.myslot()); });
        handle<ToClient::Bombed>(d, [this](const ToClient::Bombed& m) { board.bombed(m); });
        handle<ToClient::Error>(d, [this](const ToClient::Error&) { board.error(); });
    }

    void onRound(Dispatcher& d)
    {
        handle<ToClient::StartGame>(d, [this](const ToClient::StartGame& m) {
            session.setGameRunning(true);
            session.setGamemode(m.mode);
            board.clear();
        });
        handle<ToClient::NextPlayer>(d, [this](const ToClient::NextPlayer& m) {
            if (!BoardModel::seat(m.slot))
                return;
            board.setCurrentplayer(m.slot);
            board.setTrailScore(m.slot, 0);
        });
        handle<ToClient::TurnOver>(d, [](const ToClient::TurnOver&) {});
        handle<ToClient::PostScores>(d, [](const ToClient::PostScores&) {});
        handle<ToClient::Winner>(d, [this](const ToClient::Winner& m) {
            session.setGameRunning(false);
            status(m.text);
        });
        handle<ToClient::LoadStats>(d, [this](const ToClient::LoadStats& m) {
            session.setGameRunning(true);
            session.setGamemode(m.mode);
        });
        handle<ToClient::ResetTiles>(d, [this](const ToClient::ResetTiles& m) { replay.settiles(m.cells); });
        handle<ToClient::ResetBonus>(d, [this](const ToClient::ResetBonus& m) { replay.setbonus(m.cells); });
        handle<ToClient::ThePath>(d, [this](const ToClient::ThePath& m) { replay.start(m); });
    }

    // A click on every cell in turn while picking is open, as a player would.
    void pickAll()
    {
        for (int px = 4; px < 312 && board.canselect(); px += 52)
            for (int py = 4; py < 312 && board.canselect(); py += 52)
                board.boardMouseUp(px, py, session.myslot(), session.loggedin());
    }
};

void runOne(const QByteArray& input)
{
    static Client client;
    client.session.disconnectFromServer();
    client.board = BoardModel();
    client.replay = PathReplayModel();
    const ClientSession& session = client.session;
    // What the handlers read of the session must be as a new connection finds it.
    if (session.myslot() != 0 || session.loggedin() || session.gamemode() != 0 || session.gameRunning()
        || client.session.dispatcher().queued() != 0)
        std::abort();
    static FuzzSupport::SeededRandom random(1);
    random.restart();
    Dispatcher& queue = client.session.dispatcher();
    MessageSplitter splitter(0);
    for (const QByteArray& message : splitter.feed(input)) {
        if (message.isEmpty()) {
            (void)client.replay.step();
            continue;
        }
        queue.enqueue(message);
        while (queue.dispatchOne()) { }
        client.pickAll();
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
