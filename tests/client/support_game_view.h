#pragma once

#include "client/game_view.h"

#include <QColor>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QWidget>
#include <memory>

// A game view on a back panel of its own, with a link and hooks that record
// what the view sends, plays, writes to the chat and hands to the tally.
struct GameViewRig {
    QWidget back;
    int myslot = 2;
    bool loggedin = true;
    QString myname = QStringLiteral("Ann");
    int gamemode = 0;
    QList<QByteArray> sent;
    QStringList sounds;
    QList<QPair<QString, QColor>> lines;
    QStringList tally; // "addword 60 4", "addgame Bob", "addtomine 2", "sendscore ..."
    std::unique_ptr<GameView> view;

    GameViewRig()
    {
        back.resize(705, 540);
        GameLink link;
        link.myslot = [this] { return myslot; };
        link.loggedin = [this] { return loggedin; };
        link.myname = [this] { return myname; };
        link.gamemode = [this] { return gamemode; };
        link.setGamemode = [this](int mode) { gamemode = mode; };
        link.send = [this](const QByteArray& m) { sent << m; };
        view = std::make_unique<GameView>(link, &back);
        GameHooks& h = view->hooks();
        h.playsounds = [this](const QString& s) { sounds << s; };
        h.addlinetochat = [this](const QString& l, const QColor& c) { lines << qMakePair(l, c); };
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
        feed(&GameView::getnextplayer, "1+" + QByteArray::number(myslot));
        deal(code, bonus);
        feed(&GameView::setnexttile, QByteArray::number(current) + "+1");
    }
};
