#pragma once

#include "server/game_table.h"
#include "server/host_options.h"
#include "server/outbox.h"

#include "net/game_random.h"

#include <QMap>
#include <QRandomGenerator>
#include <QStringList>

// Keeps what the game sends, without terminators.
class RecordingOutbox : public Outbox {
public:
    using Outbox::Outbox;
    QList<QPair<int, QByteArray>> sent;
    // Messages to one slot, only those with these command words if any are given.
    QList<QByteArray> to(int slot, const QList<QByteArray>& commands = {}) const;
    // "slot:command" of every message, in the order sent.
    QStringList order() const;

protected:
    void deliver(int slot, const QByteArray& message) override { sent.append({slot, message.chopped(1)}); }
};

// Installs a seeded generator for the scope; random(n) first takes the values
// queued for that n, which lets a test force single draws of a deal.
class RandomScope : public RandomSource {
public:
    explicit RandomScope(quint32 seed);
    ~RandomScope() override;
    int random(int n) override;
    QMap<int, QList<int>> queued;

private:
    QRandomGenerator m_generator;
};

// Six rows (y = 0 first) of six cells (x = 0 first). Tiles '.' and '1' to '6';
// bonuses '.', 'T'ransport, 'B'omb, 'D'ouble, 'X' triple.
Grid tilesFrom(const QStringList& rows);
Grid bonusFrom(const QStringList& rows);

// The game table with its clock in the test's hands and some slots connected.
struct Bench {
    explicit Bench(QList<int> connectedSlots = {1}, int mode = 1);

    GameState game;
    RecordingOutbox out{game.players};
    FixedHostOptions host;
    GameTable table{game, out, host};

    tplayer& seat(int slot = 1) { return game.players[slot]; }
    // A round in play for seat 1 on a board of the test's own; every draw gives `tile`.
    void setup(const QStringList& board, const QStringList& bonus, int tile);
    void tick(int times = 1);
    // Picks the first cell that matches the seat's current tile.
    bool pickAny(int slot);
    // Leaves the seat one plain tile that matches its current tile, and picks it.
    void clearBoard(int slot);
};
