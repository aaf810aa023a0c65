#include "framework/timer.h"

#include "framework/clock.h"

// The tick arithmetic is unsigned on purpose: it stays right when the game clock wraps.

ZemTimer::ZemTimer() {
    Stop();
}

void ZemTimer::Start() {
    started = true;
    paused = false;
    ticks = ZEM_GetTicks();
}

void ZemTimer::Stop() {
    started = false;
    paused = false;
    ticks = 0;
}

void ZemTimer::Pause() {
    if (!started || paused) {
        return;
    }
    paused = true;
    ticks = ZEM_GetTicks() - ticks;
}

void ZemTimer::Resume() {
    if (!started || !paused) {
        return;
    }
    paused = false;
    ticks = ZEM_GetTicks() - ticks;
}

Uint32 ZemTimer::GetTicks() {
    if (!started) {
        return 0;
    }
    if (paused) {
        return ticks;
    }
    return ZEM_GetTicks() - ticks;
}
