#pragma once

#include "SDL.h"
#include "shell/playfield.h"

namespace brixolan {

// The brick game's sizes, speeds, paces and walls.

const int BORDER_WIDTH = 20;        // thickness of the walls
const int FRAMES_PER_SECOND = 140;  // target pace of the main loop
const int PADDLE_WIDTH = 72;
const int PADDLE_HEIGHT = 20;
const int BALL_SIZE = 13;
const int BASE_VEL = 1;  // unit of the paddle bounce velocities
const int BRICK_WIDTH = 40;
const int BRICK_HEIGHT = 20;
const int COLS = 15;  // bricks across a level map
const int ROWS = 8;   // rows of a level map
const int DETECTION_PASSES = 1;
const int LIVES = 10;  // balls at the start of a game
const int PADDLE_SPEED_LIMIT = 4;

// Where every level, and every game, starts: the paddle's left edge on the centre line, the
// ball resting on it and leaving straight up at half the speed of a paddle bounce.
const int PADDLE_START_X = SCREEN_WIDTH / 2;
const int PADDLE_START_Y = 440;
const int SERVE_X_VEL = 0;
const int SERVE_Y_VEL = -2;

// The stillness before a new game and after a lost ball.
const Uint32 START_DELAY_MS = 1000;
const Uint32 LOST_BALL_DELAY_MS = 1000;

// Shortest pass of the main loop, in milliseconds (7: at most 142 passes a second).
const Uint32 FRAME_PERIOD_MS = 1000 / FRAMES_PER_SECOND;

const char* const LEVEL_FILE = "levelmaps";

constexpr Walls WALLS = WallsOfWidth(BORDER_WIDTH);
const SDL_Rect LEFT_BOUND = WALLS.left;
const SDL_Rect TOP_BOUND = WALLS.top;
const SDL_Rect RIGHT_BOUND = WALLS.right;
const SDL_Rect BOTTOM_BOUND = WALLS.bottom;

}  // namespace brixolan
