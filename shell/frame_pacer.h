#pragma once

#include "SDL.h"

// Sleeps until the game clock reads at least `period` milliseconds past lastFrame. The rest
// is computed from the very reading that was compared, so it is never negative, and the
// unsigned difference stays right when the millisecond count wraps.
void WaitOutFrame(Uint32 period);
