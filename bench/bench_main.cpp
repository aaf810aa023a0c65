// The frame-cost benchmarks run inside the game itself, under SDL's dummy video driver:
// the game starts up exactly as its entry function does, then each benchmark runs the
// real state or drawing function over and over.
#include <stdlib.h>

#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/bench_game.h"
#include "tests/support/all_games.h"

int main(int argc, char** argv) {
    // No window and no sound card: what is measured is the game's own work on its surfaces.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // Each game's program is named after it: brixolan_bench measures brixolan.
    const std::string program = std::filesystem::path(argv[0]).filename().string();
    const ZemGame* game = GameNamed(program.substr(0, program.rfind("_bench")));
    if (game == nullptr || !StartGameForBench(*game, ZEM_GAME_DIR)) {
        return 1;
    }
    benchmark::AddCustomContext("sdl", SdlDescription());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    StopGameForBench();
    return 0;
}
