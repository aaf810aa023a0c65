#include "brixolan/draw.h"

#include <algorithm>
#include <string>
#include <vector>

#include "brixolan/constants.h"
#include "brixolan/game.h"
#include "framework/changed_areas.h"
#include "framework/present.h"
#include "shell/globals.h"
#include "shell/playfield.h"

namespace brixolan {

namespace {

// More changed places than this (a new level) and the frame is drawn and presented whole.
const size_t MOST_CHANGED_AREAS = 32;

// The two lines as last rendered: they change only when a life, a level or a point does.
KeptText livesLine;
KeptText scoreLine;

// What the window shows of the last frame presented, to tell what this one changes.
struct BrickShown {
    SDL_Rect area;
    int lives;
    bool operator==(const BrickShown& other) const {
        return area.x == other.area.x && area.y == other.area.y && area.w == other.area.w &&
               area.h == other.area.h && lives == other.lives;
    }
};
PresentedFrame shownFrame;
SDL_Rect ballShown;
SDL_Rect paddleShown;
std::vector<BrickShown> bricksShown;
std::vector<BrickShown> bricksNow;
ChangedAreas changed;

// The whole picture of a frame, or only what of it falls inside the screen's clip.
void DrawScene(const std::string& livesText, const std::string& scoreText) {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    PaintWall(TOP_BOUND);
    PaintWall(LEFT_BOUND);
    PaintWall(RIGHT_BOUND);
    PaintWall(BOTTOM_BOUND);
    DrawLineOnWall(livesLine, livesText, BOTTOM_BOUND);
    DrawLineOnWall(scoreLine, scoreText, TOP_BOUND);
    theBall.Show(screen);
    myPaddle.Show(screen);
    for (Brick& brick : theBricks) {
        brick.Show(screen);
    }
}

// A brick knocked out or weakened changes its place; a new level changes many.
void AddChangedBricks() {
    bricksNow.clear();
    for (const Brick& brick : theBricks) {
        bricksNow.push_back({brick.GetRect(), brick.GetLives()});
    }
    if (bricksNow == bricksShown) {
        return;
    }
    for (const std::vector<BrickShown>* from : {&bricksShown, &bricksNow}) {
        const std::vector<BrickShown>& other = from == &bricksShown ? bricksNow : bricksShown;
        for (const BrickShown& brick : *from) {
            if (std::find(other.begin(), other.end(), brick) == other.end()) {
                changed.Add(brick.area);
            }
        }
    }
}

void DrawChangedAreas(const std::string& livesText, const std::string& scoreText) {
    for (const SDL_Rect& area : changed.Areas()) {
        SDL_Rect clip = area;
        SDL_SetClipRect(screen, &clip);
        DrawScene(livesText, scoreText);
    }
    SDL_SetClipRect(screen, nullptr);
}

}  // namespace

// The field changes only where the ball, the paddle, a brick or a line did, so while the
// window holds the last frame only those places are drawn and presented; drawing the whole
// scene cut to a place gives there exactly the pixels the whole drawing gives.
void DrawGame() {
    const std::string livesText = "Lives: " + std::to_string(lives);
    const std::string scoreText = "Level: " + std::to_string(level) +
                                  "   ---   Score: " + std::to_string(score) +
                                  "   ---   High Score: " + std::to_string(hiScore);
    const bool livesChanged = LineOnWallChanged(livesLine, livesText);
    const bool scoreChanged = LineOnWallChanged(scoreLine, scoreText);

    changed.Start(screen);
    changed.AddMove(ballShown, theBall.GetRect());
    changed.AddMove(paddleShown, myPaddle.GetRect());
    if (livesChanged) {
        changed.Add(WallLineArea(BOTTOM_BOUND));
    }
    if (scoreChanged) {
        changed.Add(WallLineArea(TOP_BOUND));
    }
    AddChangedBricks();

    if (shownFrame.StillShown(screen) && changed.Areas().size() <= MOST_CHANGED_AREAS) {
        DrawChangedAreas(livesText, scoreText);
        shownFrame.PresentAreas(screen, changed.Areas());
    } else {
        DrawScene(livesText, scoreText);
        shownFrame.PresentWhole(screen);
    }
    ballShown = theBall.GetRect();
    paddleShown = myPaddle.GetRect();
    bricksShown.swap(bricksNow);
}

}  // namespace brixolan
