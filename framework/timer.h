#pragma once

#include "SDL.h"

// A millisecond stopwatch on the game clock that can be paused: time spent paused does not
// count in its reading.
class ZemTimer {
public:
    ZemTimer();

    void Start();
    void Stop();
    void Pause();
    void Resume();
    Uint32 GetTicks();

private:
    Uint32 ticks;  // running: clock at which the reading was 0; paused: the frozen reading
    bool started;
    bool paused;
};
