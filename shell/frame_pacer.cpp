#include "shell/frame_pacer.h"

#include "framework/clock.h"
#include "shell/globals.h"

void WaitOutFrame(Uint32 period) {
    Uint32 elapsed = timer.GetTicks() - lastFrame;
    while (elapsed < period) {
        ZEM_Delay(period - elapsed);
        elapsed = timer.GetTicks() - lastFrame;
    }
}
