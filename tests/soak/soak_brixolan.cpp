// The brick game in the soak: levels a random player clears now and then, the shipped levels
// in every other session, the screen after the last level, and counts of cleared levels and
// lost balls.

#include <string>

#include "brixolan/cleared_screen.h"
#include "brixolan/game.h"
#include "tests/soak/soak.h"

using namespace brixolan;

namespace {

const int ROWS = 8;
const int COLS = 15;
// The ball leaves the paddle straight up at x 350 to 362, into column 8.
const int SERVE_COLUMN = 8;

int clearedLevels = 0;
int lostBalls = 0;
int lastLevel = 0;
int lastLives = 0;

std::string Level(int number, int lowestRowLives, int secondRowLives) {
    std::string map = "level_" + std::to_string(number) + "\n";
    for (int row = 0; row < ROWS; ++row) {
        for (int column = 0; column < COLS; ++column) {
            int lives = 0;
            if (column == SERVE_COLUMN && row == ROWS - 1) {
                lives = lowestRowLives;
            } else if (row == ROWS - 2 && column % 3 == 0) {
                lives = secondRowLives;
            }
            map += std::to_string(lives) + (column + 1 < COLS ? " " : "\n");
        }
    }
    return map;
}

// Level 1 is cleared by the serve alone; level 2 needs the paddle now and then; level 3 is
// hard enough that games get lost on it. Every fourth session the serve alone clears two
// levels with a gap between their numbers, so play passes the last level again and again.
void PrepareFiles(ScratchDir& folder, int session) {
    if (session % 2 == 1) {
        folder.CopyGameFile("levelmaps");
    } else if (session % 4 == 0) {
        folder.WriteFile("levelmaps", Level(1, 1, 0) + Level(3, 1, 0));
    } else {
        folder.WriteFile("levelmaps", Level(1, 1, 0) + Level(2, 2, 0) + Level(3, 5, 4));
    }
}

void WatchPlay() {
    if (level > lastLevel && lastLevel != 0) {
        clearedLevels += level - lastLevel;
    }
    if (lives < lastLives) {
        lostBalls += lastLives - lives;
    }
    lastLevel = level;
    lastLives = lives;
}

std::string Tally() {
    return std::to_string(clearedLevels) + " levels cleared, " + std::to_string(lostBalls) +
           " balls lost";
}

// The brick game redraws every frame from scratch and keeps no piece of the screen.
void EndSession() {
}

}  // namespace

const SoakGame SOAK_GAME = {"brixolan", &GAME, {SDLK_LEFT, SDLK_RIGHT}, PrepareFiles,
                            WatchPlay,  Tally, {AllClearedState},       EndSession};
