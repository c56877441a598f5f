// The server's side of the stream into a client's main window: the client's
// dispatcher and every handler of its command table (login, players and
// spectators, the board mirror and its drawing, the round flow, the scores,
// the winner and the path replay), with the chat panel showing chat and status
// lines. Runs offscreen, a fresh window per input, so none inherits another's
// state. The turn flow, the player rows and the chat view live only in the
// window's widgets, which is what makes this target slow; fuzz_client drives
// the models below them without a window, at a far higher rate.
//
// Each complete message of the input is queued and handled in turn; an empty
// message stands for one second passing on the window's clocks (the countdown
// and the replay).
#include "chat/panel_chat.h"
#include "client/core/game_model.h"
#include "client/game_view.h"
#include "client/main_window.h"
#include "client/path_replay_panel.h"
#include "client/turn_flow.h"
#include "net/game_random.h"
#include "net/message_splitter.h"

#include "fuzz_support.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// The chat panel shows the window's lines; sounds, options, the tally and the
// score poster stay quiet.
struct QuietParts final : ClientChat, GameSounds, GameOptions, TallyFeed, ScorePoster {
    PanelChat* chat = nullptr;

    void addlinetochat(const StyledLine& line, quint32 colour) override
    {
        if (chat)
            chat->addlinetochat(line, colour);
    }
    void playasound(const ToClient::PlayASound&) override { }
    void playsounds(GameSound) override { }
    bool postHighScore() const override { return false; }
    bool showWinnersPath() const override { return true; }
    void loadinifile() override { }
    QString tallyHighScore() const override { return {}; }
    QString tallyHighestTrail() const override { return {}; }
    void addword(const QString&, TallyTable::OwnColumn) override { }
    void addgame(const QString&) override { }
    void addwongame() override { }
    void loadchecklist() override { }
    void sendscore(const QString&, const QString&, const QString&, GameMode) override { }
    QDate today() const override { return {}; }
};

void tick(MainWindow& window)
{
    GameView& view = window.gameView();
    view.turnFlow().Timer2Timer();
    if (PathReplayPanel* replay = view.replayPanel())
        replay->Timer1Timer();
}

void runOne(const QByteArray& input)
{
    QuietParts parts;
    GameModel model;
    auto window = std::make_unique<MainWindow>(model, ClientParts{parts, parts, parts, parts, parts});
    GameRandom::seed(1);
    // Owned by the window's chat area, as in the program.
    parts.chat = new PanelChat(window->chatPanel());

    Dispatcher& queue = model.session().dispatcher();
    queue.setManual(true);
    MessageSplitter splitter(0);
    for (const QByteArray& message : splitter.feed(input)) {
        if (message.isEmpty()) {
            tick(*window);
            continue;
        }
        queue.enqueue(message);
        while (queue.dispatchOne()) { }
    }
    parts.chat = nullptr;
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

GD_FUZZ_WITHOUT_LEAK_CHECK()

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzSupport::useOwnFolders();
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    runOne(FuzzSupport::bytes(data, size));
    return 0;
}
