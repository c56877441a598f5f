#pragma once

#include "client/game_view.h"
#include "recording_session.h"
#include "support_client_parts.h"

#include <QWidget>
#include <memory>

// A game view on a back panel of its own, over a game model whose session
// records what is sent, with parts that record what the view plays, writes
// to the chat and hands to the tally.
struct GameViewRig : RecordedParts, ModelRig {
    QWidget back;
    std::unique_ptr<GameView> view;

    GameViewRig()
    {
        back.resize(705, 540);
        view = std::make_unique<GameView>(*model, parts(), &back);
    }
    ~GameViewRig() { view.reset(); }

    using ModelRig::feed;
    // Hands a payload to one of the view's own handlers (the winner's path).
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
};
