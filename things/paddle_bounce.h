#pragma once

#include "things/ball.h"
#include "things/paddle.h"

// Where a ball goes after touching a paddle. Both games use the same table, each in units of
// its own base velocity.

// The ball's velocity after touching each of the paddle's twelve boxes, in base units: the
// upper row sends it up, the lower row down, the outer boxes at flatter angles.
struct PaddleBounce {
    int xVel;
    int yVel;
};
const int PADDLE_BOXES = 12;
extern const PaddleBounce PADDLE_BOUNCES[PADDLE_BOXES];

// Gives the ball the bounce of the paddle box it touches; when it touches several, the
// highest-numbered one decides. Where it is does not change. True when it touched one.
bool BounceOffPaddle(const Paddle& paddle, Ball& ball, int baseVel);
