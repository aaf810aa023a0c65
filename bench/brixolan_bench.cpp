// What a pass of the brick game costs: play frames over a full and an empty field, the
// drawing alone, and finding a level at the end of a long level file.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "bench/bench_game.h"
#include "brixolan/constants.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/screens.h"

using namespace brixolan;

namespace {

// Between the lowest bricks (row 8 ends at y 180) and the paddle (y 440), moving sideways:
// the ball crosses the field from wall to wall for ever, touching neither bricks nor paddle,
// so every frame does the same work over the same 120 bricks.
const int RALLY_BALL_X = 300;
const int RALLY_BALL_Y = 300;
const int RALLY_X_VEL = 2;

// A new game as PrePlay prepares it, without its first drawing and its second of stillness.
void StartRallyOverFullLevel() {
    UseNoWaitClock();
    SetStack({MenuState, PlayState});
    LoadLevel(1);
    score = 0;
    lives = LIVES;
    level = 1;
    theBall.SetBothPos(RALLY_BALL_X, RALLY_BALL_Y);
    theBall.SetBothVel(RALLY_X_VEL, 0);
}

// One frame of play (PlayState, with its DrawGame) over a full 120-brick level.
void PlayFrameFullLevel(benchmark::State& state) {
    StartRallyOverFullLevel();
    for (auto _ : state) {
        PlayState();
    }
    state.counters["bricks"] = static_cast<double>(theBricks.size());
    UseRealClock();
}
BENCHMARK(PlayFrameFullLevel);

// One frame of play with no brick left and no level to load: every frame looks for the next
// level, finds none, and serves the ball from the paddle again.
void PlayFrameEmptyField(benchmark::State& state) {
    StartRallyOverFullLevel();
    if (chdir(NO_LEVELS_FOLDER) != 0) {
        state.SkipWithError("no empty folder");
        return;
    }
    theBricks.clear();
    for (auto _ : state) {
        PlayState();
    }
    state.counters["bricks"] = static_cast<double>(theBricks.size());
    if (chdir("..") != 0) {
        state.SkipWithError("lost the scratch folder");
    }
    UseRealClock();
}
BENCHMARK(PlayFrameEmptyField);

// The drawing of a play frame alone (DrawGame), over a full 120-brick level.
void DrawGameFullLevel(benchmark::State& state) {
    StartRallyOverFullLevel();
    for (auto _ : state) {
        DrawGame();
    }
    UseRealClock();
}
BENCHMARK(DrawGameFullLevel);

// The last level of a twelve-level file: the whole file is read to reach it.
void LoadLastOfTwelveLevels(benchmark::State& state) {
    for (auto _ : state) {
        LoadLevel(BENCH_LEVEL_COUNT);
    }
    state.counters["bricks"] = static_cast<double>(theBricks.size());
}
BENCHMARK(LoadLastOfTwelveLevels);

}  // namespace
