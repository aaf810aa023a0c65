#pragma once

// Where the duel's walls and paddles stand in its window, as the end-to-end tests read them.

const int WALL = 14;
const int PADDLE_W = 60;
const int PADDLE_H = 18;
const int MY_PADDLE_Y = 440;    // the bottom paddle's rows start here
const int OTHER_PADDLE_Y = 40;  // the top paddle's
const int LEFT_STOP = 14;       // the left edge of a paddle at the left wall
const int RIGHT_STOP = 565;     // and at the right wall
