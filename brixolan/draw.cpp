#include "brixolan/draw.h"

#include <string>

#include "brixolan/constants.h"
#include "brixolan/game.h"
#include "framework/present.h"
#include "shell/globals.h"
#include "shell/playfield.h"

namespace brixolan {

namespace {

// The two lines as last rendered: they change only when a life, a level or a point does.
KeptText livesLine;
KeptText scoreLine;

}  // namespace

void DrawGame() {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    PaintWall(TOP_BOUND);
    PaintWall(LEFT_BOUND);
    PaintWall(RIGHT_BOUND);
    PaintWall(BOTTOM_BOUND);

    DrawLineOnWall(livesLine, "Lives: " + std::to_string(lives), BOTTOM_BOUND);
    DrawLineOnWall(scoreLine,
                   "Level: " + std::to_string(level) + "   ---   Score: " + std::to_string(score) +
                       "   ---   High Score: " + std::to_string(hiScore),
                   TOP_BOUND);

    theBall.Show(screen);
    myPaddle.Show(screen);
    for (Brick& brick : theBricks) {
        brick.Show(screen);
    }
    ZEM_Flip(screen);
}

}  // namespace brixolan
