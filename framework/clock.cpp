#include "framework/clock.h"

#include <chrono>
#include <thread>

#include "framework/present.h"

namespace {

ZemTicksFunction ticksFunction = SDL_GetTicks;
ZemDelayFunction delayFunction = SDL_Delay;

}  // namespace

Uint32 ZEM_GetTicks() {
    return ticksFunction();
}

void ZEM_Delay(Uint32 milliseconds) {
    delayFunction(milliseconds);
}

void ZEM_SleepOutFrame(Uint32 milliseconds) {
    if (delayFunction == SDL_Delay && ZEM_OnCompatibilityLayer()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    delayFunction(milliseconds);
}

void ZEM_SetClock(ZemTicksFunction ticks, ZemDelayFunction delay) {
    ticksFunction = ticks != nullptr ? ticks : SDL_GetTicks;
    delayFunction = delay != nullptr ? delay : SDL_Delay;
}
