#pragma once

#include <random>
#include <string>
#include <vector>

#include "SDL.h"
#include "shell/game.h"
#include "tests/support/scratch_dir.h"

// What the soak driver needs to know about the game it runs. Each game's soak program
// defines SOAK_GAME once (soak_brixolan.cpp, soak_tamu.cpp).
struct SoakGame {
    const char* name;
    const ZemGame* game;
    // Keys a player holds down during play.
    std::vector<SDLKey> steeringKeys;
    // Puts the game's own data files (beyond the pictures and fonts) into the working
    // folder before a session; the session number lets sessions differ.
    void (*prepareFiles)(ScratchDir& folder, int session);
    // Looks at the game variables after each frame of play and counts what happened.
    void (*watchPlay)();
    // One line about what watchPlay counted.
    std::string (*tally)();
    // Screens of the game's own that stop play and wait for Enter, as the lose screen does.
    std::vector<void (*)()> ownScreens;
    // Called before a session shuts the game down: drops whatever the game still holds of
    // this session's screen, which a real process only lets go when it ends.
    void (*endSession)();
};

extern const SoakGame SOAK_GAME;
