#include "shell/playfield.h"

#include <algorithm>
#include <vector>

#include "shell/gamepads.h"
#include "shell/globals.h"

namespace {

const Uint8 WALL_LEVEL = 255;  // white: red, green and blue all at full

}  // namespace

void PaintWall(const SDL_Rect& wall) {
    SDL_Rect area = wall;
    SDL_FillRect(screen, &area, SDL_MapRGB(screen->format, WALL_LEVEL, WALL_LEVEL, WALL_LEVEL));
}

void DrawLineOnWall(KeptText& line, const std::string& text, const SDL_Rect& wall) {
    SDL_Surface* rendered = line.Render(arialFont1, text, textColor2);
    if (rendered == nullptr) {
        return;
    }
    ZEM_BlitSurface(rendered, nullptr, screen, wall.x + (SCREEN_WIDTH - rendered->w) / 2, wall.y);
}

SDL_Rect WallLineArea(const SDL_Rect& wall) {
    const int lineHeight = arialFont1 != nullptr ? TTF_FontHeight(arialFont1) : 0;
    return ZEM_Rect(0, wall.y, SCREEN_WIDTH, std::max(static_cast<int>(wall.h), lineHeight));
}

bool LineOnWallChanged(KeptText& line, const std::string& text) {
    line.Render(arialFont1, text, textColor2);
    return line.Changed();
}

bool Touches(const CollidableThing& thing, const SDL_Rect& wall) {
    const std::vector<SDL_Rect> wallBoxes = {wall};
    return thing.HasCollided(wallBoxes, nullptr, nullptr);
}

bool KeyHeld(SDLKey key) {
    return SDL_GetKeyState(nullptr)[key] || PadHolds(key);
}

void SteerPaddleBy(Paddle& paddle, bool leftHeld, bool rightHeld) {
    if (leftHeld) {
        paddle.Left();
    }
    if (rightHeld) {
        paddle.Right();
    }
    paddle.Friction();
}

void SteerPaddle(Paddle& paddle, SDLKey leftKey, SDLKey rightKey) {
    SteerPaddleBy(paddle, KeyHeld(leftKey), KeyHeld(rightKey));
}

void KeepOffSideWalls(Paddle& paddle, const Walls& walls) {
    if (Touches(paddle, walls.left)) {
        paddle.SetXPos(walls.left.x + walls.left.w);
    }
    if (Touches(paddle, walls.right)) {
        paddle.SetXPos(walls.right.x - paddle.GetXSize());
    }
}
