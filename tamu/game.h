#pragma once

#include "things/paddle.h"

// The duel's own game variables, beside the shared ones of shell/globals.h.

extern Paddle otherPaddle;  // the top paddle, steered with Z and X
extern int myScore;         // player one, the bottom paddle
extern int otherScore;      // player two, the top paddle
