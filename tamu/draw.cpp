#include "tamu/draw.h"

#include <string>

#include "framework/present.h"
#include "shell/globals.h"
#include "shell/playfield.h"
#include "tamu/constants.h"
#include "tamu/game.h"

namespace tamu {

namespace {

// The two score lines as last rendered: they change only when a point is scored, so most
// frames draw them as they are instead of rendering them again.
KeptText playerOneLine;
KeptText playerTwoLine;

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

void DrawGame() {
    // Repainting the two end walls wipes last frame's score lines.
    PaintWall(TOP_BOUND);
    PaintWall(BOTTOM_BOUND);
    DrawLineOnWall(playerOneLine, PLAYER_ONE_TEXT + std::to_string(myScore), BOTTOM_BOUND);
    DrawLineOnWall(playerTwoLine, PLAYER_TWO_TEXT + std::to_string(otherScore), TOP_BOUND);

    EraseSprites();
    SaveUnderSprites();
    ShowSprites();
    ZEM_Flip(screen);
}

}  // namespace tamu
