#pragma once

#include <cstdint>

#include "shell/game.h"
#include "things/paddle.h"

// The paddle duel: what it hands to the shell, and its own game variables beside the shared
// ones of shell/globals.h.
namespace tamu {

extern const ZemGame GAME;

extern Paddle otherPaddle;  // the top paddle, steered with Z and X
extern int myScore;         // player one, the bottom paddle
extern int otherScore;      // player two, the top paddle

// A new duel: the background and all four walls painted (the only time in a duel), paddles
// and ball in place, both scores 0.
void PrePlay();

// One frame of play: the one event, steering both paddles, movement, the paddles, the side
// walls, scoring at the end walls, then the changed parts drawn and the frame shown.
void PlayState();

// Who steers the paddles of the duel that starts: the computer at a level (0 easy, 1 normal,
// 2 hard; -1 a person) for the top paddle, or in a demo the computer for both. PrePlay
// chooses from the command line; the measuring tool and tests choose with a fixed seed, and
// may also set the bottom paddle's level (3 is the reference player).
void ChooseComputers(int topLevel, bool demo, std::uint32_t seed);
void ChooseComputerLevels(int topLevel, int bottomLevel, std::uint32_t seed);
// How often that paddle's computer has turned from one key to the other this duel.
int ComputerDirectionChanges(bool top);

// Holds every pass of the main loop to at least FRAME_PERIOD_MS.
void CapFrameRate();

}  // namespace tamu
