#pragma once

#include <initializer_list>
#include <string>

#include "shell/game.h"

// The game as its entry function leaves it right before the main loop, for measuring: SDL
// and the window, the pictures, fonts and high score read from the game folder, the sound
// switched on (mixed on SDL's sound thread when there is a device, such as SDL's dummy
// one), the running timer, the menu object, and the main menu on the state stack with its
// lines filled in.
//
// Once started, the working directory is a scratch folder of the bench's own, so that what a
// run writes (the high score at shut-down) never touches the game folder. It holds a level
// file of twelve full levels (120 bricks each), and an empty sub-folder NO_LEVELS_FOLDER
// where no level file is found.

const char* const NO_LEVELS_FOLDER = "no-levels";
const int BENCH_LEVEL_COUNT = 12;

// False when the game's own start-up fails there (a missing data file, no video).
bool StartGameForBench(const ZemGame& theGame, const std::string& gameFolder);
// The game's own shut-down; then the scratch folder goes.
void StopGameForBench();

// The pacer's waits, the blocking menus' 20 ms pauses and the second of stillness before a
// game take no time: for measuring what a pass costs, not how long it waits.
void UseNoWaitClock();
// Back to SDL's own ticks and delays.
void UseRealClock();

// The SDL in use: its version, whether classic or the compatibility layer, the video driver.
std::string SdlDescription();

// Empties the state stack and pushes these states, bottom first.
void SetStack(std::initializer_list<void (*)()> states);
// Queues a press of Enter, as the window would deliver it.
void PushEnter();
