#pragma once

#include <string>

#include "SDL.h"
#include "framework/kept_text.h"
#include "framework/surface.h"
#include "shell/main_loop.h"
#include "things/collidable_thing.h"
#include "things/paddle.h"

// The walled playfield both games are played in, and what both do with its walls.

// The four walls along the window's edges, `border` pixels thick. They stop one pixel short
// of the window's last column and row, which stay outside every wall.
struct Walls {
    SDL_Rect left;
    SDL_Rect top;
    SDL_Rect right;
    SDL_Rect bottom;
};

constexpr Walls WallsOfWidth(int border) {
    return Walls{ZEM_Rect(0, 0, border, SCREEN_HEIGHT - 1),
                 ZEM_Rect(0, 0, SCREEN_WIDTH - 1, border),
                 ZEM_Rect(SCREEN_WIDTH - border - 1, 0, border, SCREEN_HEIGHT - 1),
                 ZEM_Rect(0, SCREEN_HEIGHT - border - 1, SCREEN_WIDTH - 1, border)};
}

// Fills a wall with white on the screen.
void PaintWall(const SDL_Rect& wall);

// Draws a line of grey text centred across the window with its top on the wall's top row.
// The line is kept from frame to frame while its text stays the same; one that can't be
// rendered, for want of the font or of a surface, is left out of the frame.
void DrawLineOnWall(KeptText& line, const std::string& text, const SDL_Rect& wall);

// The rows a line drawn on this wall may cover, across the window: the line can be taller
// than the wall.
SDL_Rect WallLineArea(const SDL_Rect& wall);

// Renders the line as DrawLineOnWall will show it (kept while unchanged), ahead of drawing:
// true when it differs from the one rendered before.
bool LineOnWallChanged(KeptText& line, const std::string& text);

// Whether any of the thing's boxes overlaps the wall.
bool Touches(const CollidableThing& thing, const SDL_Rect& wall);

// Steers the paddle from the held keys (or a pad standing in for them), the left key before
// the right so that both held together largely cancel, then slows it by friction.
void SteerPaddle(Paddle& paddle, SDLKey leftKey, SDLKey rightKey);

// Whether the key is held, or a pad stands in for it.
bool KeyHeld(SDLKey key);

// The same steering from keys held by any player, a person or the computer.
void SteerPaddleBy(Paddle& paddle, bool leftHeld, bool rightHeld);

// The paddle is put back against a side wall it touches but keeps its velocity, so one
// steered into a wall keeps pushing and is put back every frame.
void KeepOffSideWalls(Paddle& paddle, const Walls& walls);
