#pragma once

#include "client/core/client_session.h"
#include "client/core/game_model.h"
#include "net/field_reader.h"

#include <QByteArray>
#include <QList>
#include <memory>
#include <optional>

// A session that is logged in at a slot the test chooses and records what it
// would send instead of sending it.
struct RecordingSession : ClientSession {
    int slot = 2;
    bool in = true;
    QList<QByteArray> sent;

    int myslot() const override { return slot; }
    bool loggedin() const override { return in; }
    bool send(const QByteArray& message) override
    {
        if (!in)
            return false;
        sent << message;
        return true;
    }
};

// A game model over a recording session, fed message payloads as the
// client's dispatcher would: a malformed payload is dropped whole.
struct ModelRig {
    RecordingSession* session = nullptr;
    std::unique_ptr<GameModel> model;

    explicit ModelRig(const QString& name = QStringLiteral("Ann"))
    {
        auto own = std::make_unique<RecordingSession>();
        session = own.get();
        session->setMyname(name);
        model = std::make_unique<GameModel>(std::move(own));
    }

    template <class Msg>
    void feed(void (GameModel::*handler)(const Msg&), const QByteArray& payload)
    {
        FieldReader f(payload);
        if (const std::optional<Msg> m = Msg::decode(f))
            (model.get()->*handler)(*m);
    }

    // Seats: slot 1 "Host", slot 2 "Ann" (the local seat unless a test moves it), slot 3 "Bob".
    void seatThree()
    {
        model->playerArrived(1, QStringLiteral("Host"));
        model->playerArrived(2, QStringLiteral("Ann"));
        model->playerArrived(3, QStringLiteral("Bob"));
    }

    // Every cell holds `code` (the deal of a round), and the bonus layer is `bonus`.
    void deal(int code, const QByteArray& bonus = "0+0+0")
    {
        QByteArray p;
        for (int x = 0; x < 6; ++x)
            for (int y = 0; y < 6; ++y)
                p += (p.isEmpty() ? "" : "+") + QByteArray::number(x) + '+' + QByteArray::number(y) + '+'
                    + QByteArray::number(code);
        feed(&GameModel::setTiles, p);
        feed(&GameModel::setBonus, bonus);
    }

    // A round in play for the local seat: board, bonus layer, current tile.
    void startRound(int code, int current, const QByteArray& bonus = "0+0+0")
    {
        feed(&GameModel::nextPlayer, "1+" + QByteArray::number(session->slot));
        deal(code, bonus);
        feed(&GameModel::setNextTile, QByteArray::number(current) + "+1");
    }
};
