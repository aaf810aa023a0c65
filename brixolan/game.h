#pragma once

#include <vector>

#include "things/brick.h"

// The brick game's own program-wide variables.

extern std::vector<Brick> theBricks;  // the bricks in play, in level map order
extern int score;                     // one point per life knocked off a brick
extern int lives;                     // balls left
extern int level;                     // number of the level in play
