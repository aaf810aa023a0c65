#pragma once

#include "SDL.h"

// Every tick the games read and every pause they take goes through these two calls, so that
// a test can run the games on a clock of its own instead of the wall clock. Unless replaced,
// they are SDL_GetTicks and SDL_Delay.

using ZemTicksFunction = Uint32 (*)();
using ZemDelayFunction = void (*)(Uint32 milliseconds);

Uint32 ZEM_GetTicks();
void ZEM_Delay(Uint32 milliseconds);

// Replaces the clock; null for either puts SDL's own call back.
void ZEM_SetClock(ZemTicksFunction ticks, ZemDelayFunction delay);
