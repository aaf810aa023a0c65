#include "tamu/draw.h"

#include <string>

#include "framework/kept_text.h"
#include "framework/surface.h"
#include "shell/game_supplies.h"
#include "shell/frame_pacer.h"
#include "shell/globals.h"
#include "tamu/constants.h"
#include "tamu/game.h"

namespace {

// The two score lines as last rendered: they change only when a point is scored, so most
// frames draw them as they are instead of rendering them again.
KeptText playerOneLine;
KeptText playerTwoLine;

// Draws a score line in grey, centred across the window with its top on the wall's top row.
// A line that can't be rendered is left out of the frame.
void ShowScoreLine(KeptText& line, const char* fixedText, int score, const SDL_Rect& wall) {
    SDL_Surface* rendered = line.Render(arialFont1, fixedText + std::to_string(score), textColor2);
    if (rendered == nullptr) {
        return;
    }
    ZEM_BlitSurface(rendered, nullptr, screen, wall.x + (SCREEN_WIDTH - rendered->w) / 2, wall.y);
}

// Each sprite puts back what lay under it last frame. On the very first frame nothing is
// held yet and nothing happens.
void EraseSprites() {
    theBall.ReturnShot();
    myPaddle.ReturnShot();
    otherPaddle.ReturnShot();
}

// All three pieces are saved before any sprite is drawn, so none holds another sprite.
void SaveUnderSprites() {
    theBall.TakeShot(screen, theBall.GetRect());
    myPaddle.TakeShot(screen, myPaddle.GetRect());
    otherPaddle.TakeShot(screen, otherPaddle.GetRect());
}

void ShowSprites() {
    theBall.Show(screen);
    myPaddle.Show(screen);
    otherPaddle.Show(screen);
}

}  // namespace

void PaintWall(SDL_Rect wall) {
    SDL_FillRect(screen, &wall, SDL_MapRGB(screen->format, 255, 255, 255));
}

void DrawGame() {
    // Repainting the two end walls wipes last frame's score lines.
    PaintWall(TOP_BOUND);
    PaintWall(BOTTOM_BOUND);
    ShowScoreLine(playerOneLine, PLAYER_ONE_TEXT, myScore, BOTTOM_BOUND);
    ShowScoreLine(playerTwoLine, PLAYER_TWO_TEXT, otherScore, TOP_BOUND);

    EraseSprites();
    SaveUnderSprites();
    ShowSprites();
    SDL_Flip(screen);
}

void CapFrameRate() {
    WaitOutFrame(FRAME_PERIOD_MS);
    lastFrame = timer.GetTicks();
}
