#pragma once

#include "server/classic_rules.h"
#include "server/game_state.h"
#include "server/outbox.h"
#include "server/standard_rules.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QStringList>
#include <deque>

// Scores one seat's picks with the server library's own rules, from what that
// seat's client hears (deal, tiles, posted totals), and checks every answer
// the table under test gives against it: the move reply, the bomb and the
// refusal must be the ones a hosting copy would have sent.
class Referee : private Outbox {
public:
    Referee();

    // Everything the server sent this seat, in order.
    void read(const QByteArray& message);
    // A pick this seat sent.
    void picked(QPoint cell);

    int checked() const { return m_checked; }
    const QStringList& mismatches() const { return m_mismatches; }

private:
    void deliver(int slot, const QByteArray& message) override;
    void deal(const QByteArray& list, bool bonus);
    void answer(const QByteArray& message);
    TileRules& rules();

    GameState m_game;
    StandardRules m_standard;
    ClassicRules m_classic;
    int m_slot = 0;
    std::deque<QByteArray> m_expected;
    int m_checked = 0;
    QStringList m_mismatches;
};
