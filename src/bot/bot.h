#pragma once

#include "bot_board.h"
#include "bot_level.h"
#include "gd_version.h"

#include "net/dispatcher.h"
#include "net/message_splitter.h"
#include "net/protocol_to_client.h"
#include "net/tsock.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

struct BotOptions {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 7772;
    QByteArray name = "Bot";
    // Sent at login; the server warns everybody when it differs from its own.
    QByteArray version = GD_VERSION_TEXT;
    // The mode to start, as the command line and CMD_startgame number it
    // (GameModes::code); 0 never starts a game.
    int startMode = 0;
    // Players (the bot included) to wait for before starting.
    int players = 1;
    BotBoard::Strategy strategy = BotBoard::Strategy::Greedy;
    // Wait before each pick, drawn evenly from this range.
    BotPace pace{200, 200};
    // Picks in a hundred taken at random among the legal cells.
    int slipPercent = 0;
    // A seat bot stays for game after game and leaves at once when it is
    // given a spectator's slot (it cannot play there). Otherwise the bot plays
    // one game and finishes.
    bool seat = false;
    // Now and then says "Good Game Everyone!" when a game is decided.
    bool phrases = false;

    // A seat at `level`, its natural pace stretched by `speed` (0 = no wait).
    static BotOptions forSeat(BotLevel level, const QByteArray& name, double speed);
};

// A player of the protocol over a socket, treated by the server exactly like
// a person: logs in, optionally starts a game once enough players are there,
// plays its board at its pace until the game is decided, keeps its score from
// the posted scores. Finishes with 0 (game over), 1 (connection lost),
// 2 (game full) or 3 (no seat).
class Bot : public QObject {
    Q_OBJECT
public:
    explicit Bot(BotOptions options, QObject* parent = nullptr);

    void start();
    // Leaves the table; the server sees the connection close.
    void stop();
    // Asks the server to start a game: 1 standard, 2 classic.
    void startGame(int mode);

    const BotOptions& options() const { return m_options; }
    int slot() const { return m_slot; }
    int total() const { return m_total; }

signals:
    void finished(int exitCode, const QString& line);
    // Every message the server sent, as read, before the bot acts on it.
    void messageRead(const QByteArray& message);
    // A pick went out; `waitedMs` since the tile was offered.
    void picked(QPoint cell, qint64 waitedMs);
    void gameOver(int total, const QByteArray& winner);

private:
    void sockRead(TSock* sender);
    void sockInfo(TSock* sender, TSocketInfo info, const QString& msg);
    void send(const QByteArray& message);
    void finish(int code, const QString& line);
    void schedulePick();
    void pick();
    void maybeStart();
    void bindHandlers();
    template <class Msg>
    void bind(void (Bot::*handler)(const Msg&));

    void sendlogininfo(const ToClient::SendLoginInfo& m);
    void playerjoined(int slot);
    void startgame(const ToClient::StartGame& m);
    void nextplayer(const ToClient::NextPlayer& m);
    void setnexttile(const ToClient::SetNextTile& m);
    void setnntile(const ToClient::SetNnTile& m);
    void removetile(const ToClient::RemoveTile& m);
    void bombed(const ToClient::Bombed& m);
    void error(const ToClient::Error& m);
    void turnover(const ToClient::TurnOver& m);
    void postscores(const ToClient::PostScores& m);
    void winner(const ToClient::Winner& m);

    BotOptions m_options;
    TSock m_sock;
    MessageSplitter m_pending;
    Dispatcher m_dispatcher{1};
    BotBoard m_board;
    QTimer m_pace;
    QElapsedTimer m_offered;
    QSet<int> m_present;
    int m_slot = 0;
    int m_total = 0;
    bool m_started = false;
    bool m_playing = false;
    bool m_done = false;
    int m_refusals = 0;
};
