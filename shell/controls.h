#pragma once

#include "things/paddle.h"

// What steers each paddle in a frame. The play states steer only from these records; where a
// record's contents come from (held keys, pads, and later whatever else) is the source's
// business, chosen once when a game starts.

// One paddle's controls for one frame, whoever filled them.
struct PaddleControls {
    bool left = false;
    bool right = false;
};

// The bottom paddle (brixolan's only one, tamu's first player) and tamu's top paddle.
const int BOTTOM_PADDLE = 0;
const int TOP_PADDLE = 1;
const int PADDLES = 2;

// Fills one paddle's record for this frame; the record comes in cleared.
using ControlsSource = void (*)(int paddle, PaddleControls& controls);

// The plain source: the bottom paddle from the cursor keys and pad 1, the top one from Z/X
// and pad 2.
void HeldKeysAndPads(int paddle, PaddleControls& controls);

// Which source feeds the paddle from now on; nullptr means the plain source.
void SetControlsSource(int paddle, ControlsSource source);

// Every paddle back on the plain source: done when a game starts from the main menu.
void FeedPaddlesPlainly();

// This frame's records of every paddle, each from its own source.
void ReadControls(PaddleControls controls[PADDLES]);

// Steers the paddle from its record, left before right so that both held together largely
// cancel, then slows it by friction.
void SteerPaddle(Paddle& paddle, const PaddleControls& controls);
