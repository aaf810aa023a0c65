#pragma once

#include "SDL.h"

// Queues a press of the key as the window would deliver it, for what stands in for the
// keyboard: the gamepads, and the tools that drive a game.
void ZEM_PushKeyPress(SDLKey key);
