// The screens around the game, one pass each, as the player sees them.
#include <benchmark/benchmark.h>

#include "bench/bench_game.h"
#include "framework/menu.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "shell/screens.h"

namespace {

// One pass of the main menu: background, box and lines drawn and shown, the (empty) event
// queue asked once.
void MainMenuPass(benchmark::State& state) {
    SetStack({MenuState});
    PreMenu();
    for (auto _ : state) {
        MenuState();
    }
}
BENCHMARK(MainMenuPass);

// The help screen drawn and shown once, then left with Enter back to the main menu.
void HelpScreen(benchmark::State& state) {
    SetStack({MenuState});
    for (auto _ : state) {
        PushState(HelpState);
        PushEnter();
        HelpState();
    }
}
BENCHMARK(HelpScreen);

// The pause screen opened over a game, redrawn once and left with "Continue Game" (the
// Enter is already queued, so its blocking loop makes exactly one pass).
void PauseRedraw(benchmark::State& state) {
    UseNoWaitClock();
    SetStack({MenuState, game->PlayState});
    game->PrePlay();
    for (auto _ : state) {
        PushState(PauseState);
        PushEnter();
        PauseState();
    }
    UseRealClock();
}
BENCHMARK(PauseRedraw);

// What the pause screen's blocking loop draws on each of its passes, 50 times a second: the
// pause lines centred over the game picture, shown.
void PauseMenuRedraw(benchmark::State& state) {
    UseNoWaitClock();
    SetStack({MenuState, game->PlayState});
    game->PrePlay();
    menu->Reset();
    menu->AddHeader("Game Paused");
    menu->AddOption("Continue Game");
    menu->AddOption("Return to Menu");
    for (auto _ : state) {
        menu->ShowCentred(screen, impactFont2, impactFont1);
    }
    UseRealClock();
}
BENCHMARK(PauseMenuRedraw);

}  // namespace
