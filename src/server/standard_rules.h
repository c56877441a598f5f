#pragma once

#include "tile_rules.h"

// The standard game: wild tiles only in the sequence, bombs continue the trail
// and turn into transports, doubles and triples multiply chain and trail.
class StandardRules : public TileRules {
public:
    using TileRules::TileRules;

    void settiles() override;
    void setnexttile(int slot) override;
    void selecttile(int slot, int x, int y) override;

    // The tile sequence as every standard read sees it: past its end all tiles are wild.
    int sequence(int index) const;
    void setrandom();
    void bombit(int slot, int bx, int by);

private:
    void advance(tplayer& p);
    void fixNext(tplayer& p);
    // Step the chain for a pick at (x, y); returns the chain value the move reports.
    int chainstep(tplayer& p, int x, int y, int slot);
    void score(tplayer& p, int x, int y);
};
