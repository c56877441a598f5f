#pragma once

#include "server/classic_rules.h"
#include "server/game_state.h"
#include "server/game_table.h"
#include "server/host_options.h"
#include "server/outbox.h"
#include "server/standard_rules.h"

#include "net/game_random.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QRandomGenerator>
#include <QStringList>

// Keeps what the game sends, per slot and in overall order, without terminators.
class RecordingOutbox : public Outbox {
public:
    using Outbox::Outbox;

    struct Sent {
        int slot;
        QByteArray message;
    };
    QList<Sent> sent;

    QList<QByteArray> to(int slot) const;
    // Messages to one slot whose command word is one of these.
    QList<QByteArray> to(int slot, const QList<QByteArray>& commands) const;
    // "slot:message" in overall order, handy for order checks.
    QStringList log() const;
    void clear() { sent.clear(); }

protected:
    void deliver(int slot, const QByteArray& message) override;
};

// A seeded generator whose answers for chosen ranges are scripted: random(n)
// first takes the values queued for n, then returns the value fixed for n, and
// only then draws. Installed for a test's life through RandomScope.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(quint32 seed) : m_generator(seed) {}
    int random(int n) override;
    QMap<int, QList<int>> queued;
    QMap<int, int> fixed;

private:
    QRandomGenerator m_generator;
};

class RandomScope {
public:
    explicit RandomScope(std::shared_ptr<RandomSource> source) { GameRandom::install(std::move(source)); }
    ~RandomScope() { GameRandom::install(nullptr); }
};

// A board written as six rows (y = 0 at the top), each row six cells for x = 0
// to 5. Tiles: '.' empty, '1' to '6'. Bonuses: '.' none, 'T' transport, 'B' bomb,
// 'D' double, 'X' triple.
Grid boardFrom(const QStringList& rows);
Grid bonusFrom(const QStringList& rows);

// The rule sets on a table of their own, with seats and spectators as asked.
struct RulesBench {
    explicit RulesBench(QList<int> connectedSlots = {1});

    GameState game;
    RecordingOutbox out{game.players};
    QList<int> ended;
    StandardRules standard{game, out, [this](int slot) { ended.append(slot); }};
    ClassicRules classic{game, out, [this](int slot) { ended.append(slot); }};

    tplayer& seat(int slot = 1) { return game.players[slot]; }
    // Puts a board and bonus layer on a seat whose every draw is the given tile.
    void setup(const QStringList& board, const QStringList& bonus, int tile, int slot = 1);
    // Messages the seat got about its moves (no tile draws).
    QList<QByteArray> moves(int slot = 1) const;
};

// The game table with a clock that only the test moves.
struct TableBench {
    explicit TableBench(QList<int> connectedSlots);

    GameState game;
    RecordingOutbox out{game.players};
    FixedHostOptions host;
    GameTable table{game, out, host};

    void tick(int times = 1);
    // Picks, for a seat, the first cell that matches its current tile.
    bool pickAny(int slot);
    // Leaves a seat a single tile that its current draw matches.
    void leaveOneTile(int slot);
};
