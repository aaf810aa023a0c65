// What a frame of the paddle duel costs.
#include <benchmark/benchmark.h>

#include "bench/bench_game.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "tamu/game.h"

using namespace tamu;

namespace {

// One frame of the duel (PlayState, with its DrawGame) from the opening serve on, nobody
// steering: the ball goes to and fro and points are scored, as in a real duel.
void PlayFrame(benchmark::State& state) {
    SetStack({MenuState, PlayState});
    PrePlay();
    for (auto _ : state) {
        PlayState();
    }
}
BENCHMARK(PlayFrame);

// The same frame with the computer steering the top paddle (hard, its quickest eye).
void PlayFrameAgainstComputer(benchmark::State& state) {
    SetStack({MenuState, PlayState});
    PrePlay();
    ChooseComputerLevels(2, -1, 1);
    for (auto _ : state) {
        PlayState();
    }
    ChooseComputerLevels(-1, -1, 1);
}
BENCHMARK(PlayFrameAgainstComputer);

}  // namespace
