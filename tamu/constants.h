#pragma once

#include "SDL.h"
#include "shell/playfield.h"

namespace tamu {

// The duel's walls, sizes, speeds, pace and texts.

const int BORDER_WIDTH = 14;  // thickness of the walls
constexpr Walls WALLS = WallsOfWidth(BORDER_WIDTH);
const SDL_Rect LEFT_BOUND = WALLS.left;
const SDL_Rect TOP_BOUND = WALLS.top;
const SDL_Rect RIGHT_BOUND = WALLS.right;
const SDL_Rect BOTTOM_BOUND = WALLS.bottom;

const int FRAMES_PER_SECOND = 90;  // target pace of the main loop
// Shortest pass of the main loop, in milliseconds (11: at most about 90.9 passes a second).
const Uint32 FRAME_PERIOD_MS = 1000 / FRAMES_PER_SECOND;

const int PADDLE_WIDTH = 60;
const int PADDLE_HEIGHT = 18;
const int BALL_SIZE = 10;
const int BASE_VEL = 2;  // unit of the paddle deflection velocities
const int PADDLE_SPEED_LIMIT = 8;

// Where a duel starts: both paddles with their left edge on the centre line, the ball in the
// middle of the field heading for player one. Every point is served from the same middle,
// slowly, towards the player who scored it.
const int PADDLE_START_X = SCREEN_WIDTH / 2;
const int MY_PADDLE_START_Y = 440;
const int OTHER_PADDLE_START_Y = 40;
const int BALL_START_X = SCREEN_WIDTH / 2;
const int BALL_START_Y = SCREEN_HEIGHT / 2;
const int OPENING_SERVE_Y_VEL = 3;
const int POINT_SERVE_SPEED = 1;

// The score lines: each fixed text is followed by the plain score.
const char* const PLAYER_ONE_TEXT = "Player One   ---   Score: 00000";
const char* const PLAYER_TWO_TEXT = "Player Two   ---   Score: 00000";

}  // namespace tamu
