#pragma once

// A stand-in player for the pacing runs: before each pass of play it holds or releases the
// steering keys in SDL's held-key state, as a player's hands on the keyboard would, so that
// play goes on as it does for a person and no lost ball stops the game for its second.
void HoldKeysLikeAPlayer();

// The program's name, as it appears in the results, and its shortest pass in milliseconds.
extern const char* const PACED_GAME;
extern const unsigned PACED_PERIOD_MS;
