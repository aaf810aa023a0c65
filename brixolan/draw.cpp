#include "brixolan/draw.h"

#include <string>

#include "brixolan/constants.h"
#include "brixolan/game.h"
#include "framework/kept_text.h"
#include "framework/surface.h"
#include "shell/game_supplies.h"
#include "shell/frame_pacer.h"
#include "shell/globals.h"

namespace {

const Uint32 CAPTION_EVERY_MASK = 7;  // the caption changes when lastFrame is a multiple of 8
const Uint32 MS_PER_SECOND = 1000;

void FillWall(SDL_Rect wall, Uint32 colour) {
    SDL_FillRect(screen, &wall, colour);
}

// The two lines as last rendered: they change only when a life, a level or a point does, so most
// frames draw them as they are instead of rendering them again.
KeptText livesLine;
KeptText scoreLine;

// Draws a line of grey text centred across the window with its top on the wall's top row.
// A line that can't be rendered, for want of the font or of a surface, is left out of the
// frame.
void DrawLineOnWall(KeptText& line, const std::string& text, const SDL_Rect& wall) {
    SDL_Surface* rendered = line.Render(arialFont1, text, textColor2);
    if (rendered == nullptr) {
        return;
    }
    ZEM_BlitSurface(rendered, nullptr, screen, wall.x + (SCREEN_WIDTH - rendered->w) / 2, wall.y);
}

}  // namespace

void DrawGame() {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    const Uint32 white = SDL_MapRGB(screen->format, 255, 255, 255);
    FillWall(TOP_BOUND, white);
    FillWall(LEFT_BOUND, white);
    FillWall(RIGHT_BOUND, white);
    FillWall(BOTTOM_BOUND, white);

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
    SDL_Flip(screen);
}

void CapFrameRate() {
    WaitOutFrame(FRAME_PERIOD_MS);

    // The wait keeps the interval at 7 or more; should it ever read 0, the caption stays.
    const Uint32 elapsed = timer.GetTicks() - lastFrame;
    if ((lastFrame & CAPTION_EVERY_MASK) == 0 && elapsed != 0) {
        const std::string caption =
            "Now running at " + std::to_string(MS_PER_SECOND / elapsed) + " frames per second.";
        SDL_WM_SetCaption(caption.c_str(), nullptr);
    }
    lastFrame = timer.GetTicks();
}
