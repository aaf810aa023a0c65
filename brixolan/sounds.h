#pragma once

#include <cstddef>

#include "framework/sound.h"

// The sound of a knock on a brick, given the lives the brick has left after it and how many
// bricks were in play when it was knocked: the fewer lives left, the higher it rings; the
// last life gone, it breaks; and the last brick of the level sounds the level cleared.
ZemSound BrickSound(int livesLeft, std::size_t bricksInPlay);
