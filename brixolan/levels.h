#pragma once

namespace brixolan {

// The level map file: "level_N" marker lines, each followed by ROWS rows of COLS brick lives.

// Puts the paddle and the ball at their start places and fills theBricks with the bricks of
// level `number`; no bricks when the file or the level can't be read.
void LoadLevel(int number);

// Levels are numbered from 1, so no level is ever numbered NO_LEVEL.
const int NO_LEVEL = 0;

// The lowest level number above `after` that has a marker in the file, or NO_LEVEL when the
// file holds none (or can't be read).
int NextLevelNumber(int after);

// Puts the ball on the paddle where the paddle stands, leaving straight up.
void ServeBall();

}  // namespace brixolan
