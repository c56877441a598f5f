#pragma once

#include "bot/bot_board.h"

#include "net/field_reader.h"
#include "net/message_splitter.h"
#include "net/tsock.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QSet>
#include <QTimer>

// A player that picks as fast as it is told and times every pick: from the
// moment "CMD_selecttile" is handed to the socket until the answer that closes
// the pick ("CMD_setnntile", "CMD_turnover" or "CMD_error") is read from it.
// Messages are handled the moment they are read, so the bot's own handling
// adds nothing to the figure.
class PickBot : public QObject {
    Q_OBJECT
public:
    struct Options {
        quint16 port = 7772;
        QByteArray name = "Bot";
        // This bot starts standard games once `players` are logged in, and
        // starts the next one whenever a winner is announced.
        bool starter = false;
        int players = 1;
        // Picks to time before finishing; 0 = no limit.
        int picks = 0;
        // Seconds before finishing; 0 = no limit.
        int seconds = 0;
        // Wait before each pick, drawn evenly from [paceMin, paceMax] ms.
        int paceMin = 0;
        int paceMax = 0;
        quint32 seed = 1;
    };

    explicit PickBot(const Options& options, QObject* parent = nullptr);

    void start();
    // Round trips in microseconds, refused picks included.
    const QList<double>& roundTrips() const { return m_roundTrips; }
    int refused() const { return m_refused; }

signals:
    // 0 when the bot stopped by its own limit, 1 when the connection was lost.
    void finished(int code);

private:
    using Handler = void (PickBot::*)(FieldReader&);

    void sockRead(TSock* sender);
    void handle(const QByteArray& message);
    void closePick(bool refused);
    void schedulePick();
    void pick();
    void send(const QByteArray& message);
    void maybeStart();
    void finish(int code);

    void sendlogininfo(FieldReader& f);
    void playerjoined(FieldReader& f);
    void startgame(FieldReader& f);
    void nextplayer(FieldReader& f);
    void settiles(FieldReader& f);
    void setbonus(FieldReader& f);
    void setnexttile(FieldReader& f);
    void setnntile(FieldReader& f);
    void removetile(FieldReader& f);
    void bombed(FieldReader& f);
    void error(FieldReader& f);
    void turnover(FieldReader& f);
    void winner(FieldReader& f);

    Options m_options;
    TSock m_sock;
    MessageSplitter m_pending;
    QHash<QByteArray, Handler> m_handlers;
    BotBoard m_board;
    QRandomGenerator m_rng;
    QTimer m_pace;
    QSet<int> m_present;
    QList<double> m_roundTrips;
    qint64 m_readNs = 0;
    qint64 m_sentNs = 0;
    int m_slot = 0;
    int m_refused = 0;
    bool m_started = false;
    bool m_playing = false;
    bool m_done = false;
};
