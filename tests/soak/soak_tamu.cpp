// The paddle duel in the soak: both paddles steered at random, and a count of the points.

#include <string>

#include "shell/globals.h"
#include "tamu/game.h"
#include "tests/soak/soak.h"

using namespace tamu;

namespace {

int points = 0;
int lastMyScore = 0;
int lastOtherScore = 0;

void PrepareFiles(ScratchDir&, int) {
}

void WatchPlay() {
    // A new duel starts both scores at 0 again.
    if (myScore >= lastMyScore && otherScore >= lastOtherScore) {
        points += (myScore - lastMyScore) + (otherScore - lastOtherScore);
    }
    lastMyScore = myScore;
    lastOtherScore = otherScore;
}

std::string Tally() {
    return std::to_string(points) + " points scored";
}

// The sprites keep the piece of screen under them from the last frame drawn, to put back in
// the next; the next session has a new screen, so the pieces go without being put back.
void EndSession() {
    const SDL_Rect nothing{};
    theBall.TakeShot(nullptr, nothing);
    myPaddle.TakeShot(nullptr, nothing);
    otherPaddle.TakeShot(nullptr, nothing);
}

}  // namespace

const SoakGame SOAK_GAME = {"tamu",       &GAME,     {SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x},
                            PrepareFiles, WatchPlay, Tally,
                            {},           EndSession};
