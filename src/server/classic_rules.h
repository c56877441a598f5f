#pragma once

#include "tile_rules.h"

// The classic game: a few wild cells on the board instead of wild tiles in the
// sequence, a trail value that grows by 10 a pick, bombs that score by the
// number of tiles they take, and a trail that carries on from the ring around
// the last bomb.
class ClassicRules : public TileRules {
public:
    using TileRules::TileRules;

    void settiles() override { classicsettiles(); }
    void setnexttile(int slot) override { classicsetnexttile(slot); }

    void classicsettiles();
    void classicsetrandom();
    void classicsetnexttile(int slot);
    void classicselecttile(int slot, int x, int y) { selecttile(slot, x, y); }
    void classicbombit(int slot, int bx, int by);

    // The cell lies on the 16 cells just outside the 3 x 3 block of the seat's last bomb.
    static bool onBombRing(const tplayer& p, int x, int y);

private:
    // Reads the sequence at the seat's position and moves on; past the end the
    // value stays as it was, so no wild tile is ever announced.
    void draw(tplayer& p, int& value);
    // A wild cell goes with any current tile.
    bool matches(const tplayer& p, int cell) const override;
    int chainstep(tplayer& p, int x, int y, int slot) override;
    void score(tplayer& p, int x, int y) override;
    int preview(const tplayer& p) const override;
    void explode(int slot, int bx, int by) override;
    void advance(tplayer& p);
    void fixNext(tplayer& p);
    // Scans the board for the current tile or a wild cell, keeping the last
    // tile met as the tile to use once the sequence has run out.
    bool scanBoard(const tplayer& p, int& fallback) const;
};
