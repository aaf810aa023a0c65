#pragma once

#include "SDL.h"

// Every tick the games read and every pause they take goes through these two calls, so that
// a test can run the games on a clock of its own instead of the wall clock. Unless replaced,
// they are SDL_GetTicks and SDL_Delay.

using ZemTicksFunction = Uint32 (*)();
using ZemDelayFunction = void (*)(Uint32 milliseconds);

Uint32 ZEM_GetTicks();
void ZEM_Delay(Uint32 milliseconds);

// Sleeps out the rest of a frame: ZEM_Delay, except on the compatibility layer, whose SDL_Delay
// first shows the rectangles still waiting to be shown and only then sleeps the whole time
// asked for, so every frame would come late by one present. There the frame sleeps beside it
// and the layer shows those rectangles at the next event pump, once the display's refresh
// has passed since it last showed the window.
void ZEM_SleepOutFrame(Uint32 milliseconds);

// Replaces the clock; null for either puts SDL's own call back.
void ZEM_SetClock(ZemTicksFunction ticks, ZemDelayFunction delay);
