#pragma once

#include "tile_rules.h"

// The standard game: wild tiles only in the sequence, bombs continue the trail
// and turn into transports, doubles and triples multiply chain and trail.
class StandardRules : public TileRules {
public:
    using TileRules::TileRules;

    void settiles() override;
    void setnexttile(int slot) override;

    // The tile sequence as every standard read sees it: past its end all tiles are wild.
    int sequence(int index) const;
    void setrandom();
    void bombit(int slot, int bx, int by);

private:
    // Any tile goes while the current tile is wild.
    bool matches(const tplayer& p, int cell) const override;
    int chainstep(tplayer& p, int x, int y, int slot) override;
    void score(tplayer& p, int x, int y) override;
    int preview(const tplayer& p) const override;
    void explode(int slot, int bx, int by) override;
    void advance(tplayer& p);
    void fixNext(tplayer& p);
};
