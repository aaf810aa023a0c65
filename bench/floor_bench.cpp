// The floors every frame is measured against: the least a full-screen pass can cost.
#include <benchmark/benchmark.h>

#include "SDL.h"
#include "framework/surface.h"
#include "shell/globals.h"

namespace {

// A whole black window, shown: what a frame drawn from scratch cannot go below.
void FloorFillAndFlip(benchmark::State& state) {
    const Uint32 black = SDL_MapRGB(screen->format, 0, 0, 0);
    for (auto _ : state) {
        SDL_FillRect(screen, nullptr, black);
        SDL_Flip(screen);
    }
}
BENCHMARK(FloorFillAndFlip);

// The background picture as the game loaded it, shown: what a menu pass cannot go below.
void FloorBackgroundAndFlip(benchmark::State& state) {
    for (auto _ : state) {
        ZEM_BlitSurface(background, nullptr, screen, 0, 0);
        SDL_Flip(screen);
    }
}
BENCHMARK(FloorBackgroundAndFlip);

}  // namespace
