#pragma once

#include "client/core/seat_names.h"
#include "client/game_view.h"
#include "support_client_parts.h"

#include <QColor>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QWidget>
#include <memory>

// A game view on a back panel of its own, with a link and parts that record
// what the view sends, plays, writes to the chat and hands to the tally.
struct GameViewRig : RecordedParts {
    // Who we are, and what the view sent.
    struct Link : GameLink {
        int slot = 2;
        bool in = true;
        QString name = QStringLiteral("Ann");
        int mode = 0;
        SeatNames names;
        QList<QByteArray> sent;

        // A hosting copy's own player sits in slot 1.
        int hostSlot = 1;
        int myslot() const override { return slot; }
        bool holdsHostPowers() const override { return slot == hostSlot; }
        bool loggedin() const override { return in; }
        QString myname() const override { return name; }
        const SeatNames& seatNames() const override { return names; }
        int gamemode() const override { return mode; }
        void setGamemode(int m) override { mode = m; }
        bool send(const QByteArray& m) override
        {
            sent << m;
            return true;
        }
    };

    QWidget back;
    Link link;
    std::unique_ptr<GameView> view;

    GameViewRig()
    {
        back.resize(705, 540);
        view = std::make_unique<GameView>(link, parts(), &back);
    }

    // Hands a payload to a handler as the client's dispatcher would: a
    // malformed one is dropped whole.
    template <class Msg>
    void feed(void (GameView::*handler)(const Msg&), const QByteArray& payload)
    {
        FieldReader f(payload);
        if (const std::optional<Msg> m = Msg::decode(f))
            (view.get()->*handler)(*m);
    }

    template <typename T>
    T* find(const QString& name) const
    {
        return back.findChild<T*>(name);
    }

    // Every cell holds `code` (the deal of a round), and the bonus layer is `bonus`.
    void deal(int code, const QByteArray& bonus = "0+0+0")
    {
        QByteArray p;
        for (int x = 0; x < 6; ++x)
            for (int y = 0; y < 6; ++y)
                p += (p.isEmpty() ? "" : "+") + QByteArray::number(x) + '+' + QByteArray::number(y) + '+'
                    + QByteArray::number(code);
        feed(&GameView::settiles, p);
        feed(&GameView::setbonus, bonus);
    }

    // A round in play for the local seat: board, bonus layer, current tile.
    void startRound(int code, int current, const QByteArray& bonus = "0+0+0")
    {
        feed(&GameView::getnextplayer, "1+" + QByteArray::number(link.slot));
        deal(code, bonus);
        feed(&GameView::setnexttile, QByteArray::number(current) + "+1");
    }
};
