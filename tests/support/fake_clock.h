#pragma once

#include <functional>
#include <vector>

#include "SDL.h"

// Puts the games on a clock the test drives: the ticks stand still until the test advances
// them, and every delay is recorded and moves the clock on by its length, so nothing sleeps
// for real. Removed again when the object goes.
class FakeClock {
public:
    explicit FakeClock(Uint32 start = 1000);
    ~FakeClock();
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    static Uint32 Now();
    static void Advance(Uint32 milliseconds);
    static void Set(Uint32 milliseconds);
    // Every delay asked for, in order, since the clock was made or last cleared.
    static const std::vector<Uint32>& Delays();
    static void ClearDelays();
    // Called after each delay (with its length): lets a test act while a screen blocks.
    static void OnDelay(std::function<void(Uint32)> hook);
    // Each tick read advances the clock by this much afterwards (0: it stands still).
    static void AdvanceOnEachRead(Uint32 milliseconds);
};
