#include "brixolan/cleared_screen.h"

#include <string>

#include "brixolan/game.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "shell/screens.h"

namespace brixolan {

namespace {

const SDL_Color CLEARED_HEADER = {230, 190, 30, 0};  // gold

}  // namespace

void AllClearedState() {
    // Play goes on afterwards: as on the pause screen, time spent here must not count.
    timer.Pause();
    ShowOverPlay({"All Levels Cleared", "Score: " + std::to_string(score)}, CLEARED_HEADER);
    StateStack.pop();
    timer.Resume();
}

}  // namespace brixolan
