#pragma once

#include "bot_board.h"

#include "gd_version.h"
#include "net/dispatcher.h"
#include "net/message_splitter.h"
#include "net/tsock.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTextStream>

struct BotOptions {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 7772;
    QByteArray name = "Bot";
    QByteArray version = GD_VERSION_TEXT;
    // 0: never start a game; 1 standard, 2 classic.
    int startMode = 0;
    // Players (the bot included) to wait for before starting.
    int players = 1;
    BotBoard::Strategy strategy = BotBoard::Strategy::Greedy;
    int delayMs = 200;
};

// A headless player: logs in, optionally starts a game once enough players are
// there, plays its board until the game is decided, then reports its final
// score and quits. Exit codes: 0 game over, 1 connection lost, 2 game full.
class Bot : public QObject {
    Q_OBJECT
public:
    explicit Bot(BotOptions options, QObject* parent = nullptr);

    void start();

signals:
    void finished(int exitCode);

private:
    void sockRead(TSock* sender);
    void sockInfo(TSock* sender, TSocketInfo info, const QString& msg);
    void send(const QByteArray& message);
    void finish(int code, const QString& line);
    void schedulePick();
    void pick();
    void maybeStart();

    void sendlogininfo(FieldReader& f);
    void playerjoined(FieldReader& f);
    void startgame(FieldReader& f);
    void nextplayer(FieldReader& f);
    void setnexttile(FieldReader& f);
    void removetile(FieldReader& f);
    void bombed(FieldReader& f);
    void error(FieldReader& f);
    void turnover(FieldReader& f);
    void postscores(FieldReader& f);
    void winner(FieldReader& f);

    BotOptions m_options;
    TSock m_sock;
    MessageSplitter m_pending;
    Dispatcher m_dispatcher{1};
    BotBoard m_board;
    QSet<int> m_present;
    int m_slot = 0;
    int m_total = 0;
    bool m_started = false;
    bool m_playing = false;
    bool m_pickPending = false;
    bool m_done = false;
    int m_refusals = 0;
};
