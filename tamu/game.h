#pragma once

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

// Holds every pass of the main loop to at least FRAME_PERIOD_MS.
void CapFrameRate();

}  // namespace tamu
