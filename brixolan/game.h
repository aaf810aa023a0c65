#pragma once

#include <vector>

#include "shell/game.h"
#include "things/brick.h"

// The brick game: what it hands to the shell, and its own program-wide variables beside the
// shared ones of shell/globals.h.
namespace brixolan {

extern const ZemGame GAME;

extern std::vector<Brick> theBricks;  // the bricks in play, in level map order
extern int score;                     // one point per life knocked off a brick
extern int lives;                     // balls left
extern int level;                     // number of the level in play

// A new game at level 1: bricks, paddle and ball in place, score 0, all lives, the first
// frame shown, then a second of stillness.
void PrePlay();

// One frame of play: the one event, steering, movement, the paddle, the bricks, the walls,
// the lose and level checks, then the frame drawn and shown.
void PlayState();

// Holds every pass of the main loop to at least FRAME_PERIOD_MS and now and then shows the
// frame rate in the caption.
void CapFrameRate();

}  // namespace brixolan
