#pragma once

#include "bot/bot.h"

#include <QList>
#include <QObject>
#include <memory>

// A bot that times every pick: from the moment the pick is handed to the
// socket until the answer that closes it (the new tile, the turn's end or a
// refusal) is read from it, before the bot handles it.
class PickTimer : public QObject {
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
        // Picks answered within this many ms of the start are not timed.
        int skipMs = 0;
    };

    explicit PickTimer(const Options& options, QObject* parent = nullptr);

    void start();
    // Round trips in microseconds, refused picks included.
    const QList<double>& roundTrips() const { return m_roundTrips; }
    int refused() const { return m_refused; }

signals:
    // 0 when the bot stopped by its own limit, 1 when the connection was lost.
    void finished(int code);

private:
    void read(const QByteArray& message);
    void finish(int code);

    Options m_options;
    std::unique_ptr<Bot> m_bot;
    QList<double> m_roundTrips;
    qint64 m_sentNs = 0;
    qint64 m_startNs = 0;
    int m_refused = 0;
    bool m_done = false;
};
