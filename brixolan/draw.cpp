#include "brixolan/draw.h"

#include <string>

#include "brixolan/constants.h"
#include "brixolan/game.h"
#include "framework/clock.h"
#include "framework/surface.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"

namespace {

const Uint32 CAPTION_EVERY_MASK = 7;  // the caption changes when lastFrame is a multiple of 8
const Uint32 MS_PER_SECOND = 1000;

void FillWall(SDL_Rect wall, Uint32 colour) {
    SDL_FillRect(screen, &wall, colour);
}

// Draws a line of grey text centred across the window with its top on the wall's top row.
// A line that can't be rendered, for want of the font or of a surface, is left out of the
// frame.
void DrawLineOnWall(const std::string& text, const SDL_Rect& wall) {
    if (arialFont1 == nullptr) {
        return;
    }
    message = TTF_RenderText_Solid(arialFont1, text.c_str(), textColor2);
    if (message == nullptr) {
        return;
    }
    ZEM_BlitSurface(message, nullptr, screen, wall.x + (SCREEN_WIDTH - message->w) / 2, wall.y);
    SDL_FreeSurface(message);
    message = nullptr;
}

}  // namespace

void DrawGame() {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    const Uint32 white = SDL_MapRGB(screen->format, 255, 255, 255);
    FillWall(TOP_BOUND, white);
    FillWall(LEFT_BOUND, white);
    FillWall(RIGHT_BOUND, white);
    FillWall(BOTTOM_BOUND, white);

    DrawLineOnWall("Lives: " + std::to_string(lives), BOTTOM_BOUND);
    DrawLineOnWall(
        "Score: " + std::to_string(score) + "   ---   High Score: " + std::to_string(hiScore),
        TOP_BOUND);

    theBall.Show(screen);
    myPaddle.Show(screen);
    for (Brick& brick : theBricks) {
        brick.Show(screen);
    }
    SDL_Flip(screen);
}

void CapFrameRate() {
    // Differences of unsigned readings stay right across the wrap of the millisecond count.
    Uint32 elapsed = timer.GetTicks() - lastFrame;
    while (elapsed < FRAME_PERIOD_MS) {
        ZEM_Delay(FRAME_PERIOD_MS - elapsed);
        elapsed = timer.GetTicks() - lastFrame;
    }

    // The wait keeps the interval at 7 or more; should it ever read 0, the caption stays.
    elapsed = timer.GetTicks() - lastFrame;
    if ((lastFrame & CAPTION_EVERY_MASK) == 0 && elapsed != 0) {
        const std::string caption =
            "Now running at " + std::to_string(MS_PER_SECOND / elapsed) + " frames per second.";
        SDL_WM_SetCaption(caption.c_str(), nullptr);
    }
    lastFrame = timer.GetTicks();
}
