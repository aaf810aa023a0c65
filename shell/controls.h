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

// The bottom paddle from the cursor keys and pad 1, the top one from Z/X and pad 2.
void HeldKeysAndPads(int paddle, PaddleControls& controls);

// The plain source, the player's own hands: the held keys and pads, and for the bottom paddle
// the mouse as well. A key or the pad held steers, and takes the paddle back from the mouse;
// the mouse steers from its first move in play until then.
void PlayerControls(int paddle, PaddleControls& controls);

// Which source feeds the paddle from now on; nullptr means the plain source.
void SetControlsSource(int paddle, ControlsSource source);

// Every paddle back on the plain source: done when a game starts from the main menu.
void FeedPaddlesPlainly();

// This frame's records of every paddle, each from its own source.
void ReadControls(PaddleControls controls[PADDLES]);

// How far the pointer may lie either side of the paddle's centre with neither direction
// held: half the paddle's run from its last step at top speed to rest. Released as the
// pointer comes within the band, the paddle stops before it leaves the band on the other
// side, so it settles under the pointer without steering back.
int PointerDeadBand();

// Fills the record to bring the paddle's centre to this column of the picture: left of the
// band left, right of it right, inside it neither.
void SteerTowards(const Paddle& paddle, int column, PaddleControls& controls);

// Steers the paddle from its record, left before right so that both held together largely
// cancel, then slows it by friction.
void SteerPaddle(Paddle& paddle, const PaddleControls& controls);
