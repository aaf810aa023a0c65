#pragma once

#include <string>
#include <vector>

#include "shell/game.h"

// Every game of the build by name, in the order of the games list (made by CMake).
struct NamedGame {
    const char* name;
    const ZemGame* game;
};

extern const std::vector<NamedGame> ALL_GAMES;

// The game of this name, or null.
inline const ZemGame* GameNamed(const std::string& name) {
    for (const NamedGame& entry : ALL_GAMES) {
        if (name == entry.name) {
            return entry.game;
        }
    }
    return nullptr;
}
