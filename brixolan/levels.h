#pragma once

namespace brixolan {

// The level map file: "level_N" marker lines, each followed by ROWS rows of COLS brick lives.

// Puts the paddle and the ball at their start places and fills theBricks with the bricks of
// level `number`; no bricks when the file or the level can't be read.
void LoadLevel(int number);

// Puts the ball on the paddle where the paddle stands, leaving straight up.
void ServeBall();

}  // namespace brixolan
