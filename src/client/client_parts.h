#pragma once

#include "client/core/game_sounds.h"
#include "client_chat.h"
#include "game_options.h"
#include "score_poster.h"
#include "side/core/tally_feed.h"

// What the main window's game and message handling need from the parts of the
// program built around it. Each must outlive whatever it is handed to.
struct ClientParts {
    ClientChat& chat;
    GameSounds& sounds;
    GameOptions& options;
    TallyFeed& tally;
    ScorePoster& poster;
};
