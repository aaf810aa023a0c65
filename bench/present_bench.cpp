// What showing a frame of play costs in the plain window and in the window twice as large,
// in one run: the frame is drawn with its present held back (not timed), then presented.
// Under an X server (DISPLAY set) the present includes the server's copy of the picture;
// under the dummy driver the plain window's present costs nothing.
#include <stdlib.h>

#include <benchmark/benchmark.h>

#include "bench/bench_game.h"
#include "brixolan/game.h"
#include "framework/present.h"
#include "platform/display.h"
#include "shell/globals.h"
#include "shell/screens.h"

namespace {

const int RALLY_BALL_X = 300;
const int RALLY_BALL_Y = 300;
const int RALLY_X_VEL = 2;

void HoldBackFlip(SDL_Surface*) {
}

void HoldBackRects(SDL_Surface*, int, SDL_Rect*) {
}

// The brick game's frames with the ball crossing the field over a full level, the paddle
// still: a present shows what one frame of play changed.
void PresentPlayFrame(benchmark::State& state) {
    ChooseDisplay(DisplayChoice{static_cast<int>(state.range(0)), false});
    if (!StartGameForBench(brixolan::GAME, ZEM_GAME_DIR)) {
        state.SkipWithError("the game did not start");
        return;
    }
    UseNoWaitClock();
    SetStack({MenuState, brixolan::GAME.PlayState});
    brixolan::GAME.PrePlay();
    theBall.SetBothPos(RALLY_BALL_X, RALLY_BALL_Y);
    theBall.SetBothVel(RALLY_X_VEL, 0);
    ZemFlipFunction flip = nullptr;
    ZemUpdateRectsFunction updateRects = nullptr;
    ZEM_GetPresenter(&flip, &updateRects);
    for (auto _ : state) {
        state.PauseTiming();
        ZEM_SetPresenter(HoldBackFlip, HoldBackRects);
        brixolan::GAME.PlayState();
        ZEM_SetPresenter(flip, updateRects);
        state.ResumeTiming();
        ZEM_Flip(screen);
    }
    UseRealClock();
    StopGameForBench();
    ChooseDisplay(DisplayChoice{});
}
BENCHMARK(PresentPlayFrame)->Arg(1)->Arg(2)->ArgName("scale");

// The worst case: every pixel differs from the last picture shown (a new screen).
void PresentNewPicture(benchmark::State& state) {
    ChooseDisplay(DisplayChoice{static_cast<int>(state.range(0)), false});
    if (!StartGameForBench(brixolan::GAME, ZEM_GAME_DIR)) {
        state.SkipWithError("the game did not start");
        return;
    }
    Uint8 shade = 0;
    for (auto _ : state) {
        state.PauseTiming();
        shade = static_cast<Uint8>(shade + 1);
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, shade, shade, shade));
        state.ResumeTiming();
        ZEM_Flip(screen);
    }
    StopGameForBench();
    ChooseDisplay(DisplayChoice{});
}
BENCHMARK(PresentNewPicture)->Arg(1)->Arg(2)->ArgName("scale");

}  // namespace

int main(int argc, char** argv) {
    if (getenv("DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
