#include "tamu/draw.h"

#include <string>

#include "framework/changed_areas.h"
#include "framework/present.h"
#include "framework/surface.h"
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

// What the window shows of the last frame presented: where the sprites were.
PresentedFrame shownFrame;
SDL_Rect ballShown;
SDL_Rect myPaddleShown;
SDL_Rect otherPaddleShown;
ChangedAreas changed;

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

// Between two frames only the sprites' old and new places and, after a point, the end walls
// with the score lines change, so only those are presented while the window holds the last
// frame; the first frame after another screen goes whole.
void Present(bool linesChanged) {
    if (!shownFrame.StillShown(screen)) {
        shownFrame.PresentWhole(screen);
    } else {
        changed.Start(screen);
        changed.AddMove(ballShown, theBall.GetRect());
        changed.AddMove(myPaddleShown, myPaddle.GetRect());
        changed.AddMove(otherPaddleShown, otherPaddle.GetRect());
        if (linesChanged) {
            changed.Add(WallLineArea(TOP_BOUND));
            changed.Add(WallLineArea(BOTTOM_BOUND));
        }
        shownFrame.PresentAreas(screen, changed.Areas());
    }
    ballShown = theBall.GetRect();
    myPaddleShown = myPaddle.GetRect();
    otherPaddleShown = otherPaddle.GetRect();
}

}  // namespace

void PaintPlayfield() {
    ZEM_BlitSurface(background, nullptr, screen, 0, 0);
    PaintWall(TOP_BOUND);
    PaintWall(LEFT_BOUND);
    PaintWall(RIGHT_BOUND);
    PaintWall(BOTTOM_BOUND);
}

void DrawGame() {
    // Repainting the two end walls wipes last frame's score lines.
    PaintWall(TOP_BOUND);
    PaintWall(BOTTOM_BOUND);
    DrawLineOnWall(playerOneLine, PLAYER_ONE_TEXT + std::to_string(myScore), BOTTOM_BOUND);
    DrawLineOnWall(playerTwoLine, PLAYER_TWO_TEXT + std::to_string(otherScore), TOP_BOUND);

    const bool linesChanged = playerOneLine.Changed() || playerTwoLine.Changed();

    EraseSprites();
    SaveUnderSprites();
    ShowSprites();
    Present(linesChanged);
}

}  // namespace tamu
