#pragma once

#include "SDL.h"

// Gamepads beside the keyboard. The first pad steers the bottom paddle, the second the top
// one (the keys Z and X stand for it, so it steers only where those keys do); in the menus
// up and down move the selection and the first button is Enter; Start pauses play.
//
// The pads are read once a frame, first in a play frame with the other controls, never queued: play
// takes one event a frame, and a stick's motion would flood it. Only a press (up, down or the first
// button in a menu, Start in play) becomes one key event, queued as the key it stands for.

const int MAX_PADS = 2;

// What a pad holds at one moment.
struct PadState {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
    bool confirm = false;  // the first button
    bool start = false;
};

// Fills the state of every pad (those missing stay released).
using PadReader = void (*)(PadState pads[MAX_PADS]);

// Opens the pads plugged in at start (after SDL_Init). Without any, nothing changes.
void OpenPads();
void ClosePads();

// Where the pads are read from: SDL's joysticks, unless a test feeds its own (null puts
// SDL's back).
void SetPadReader(PadReader reader);

// Reads the pads and queues the presses (see above).
void PollPads();

// A new game starts with nothing held: what the pads held before it steers nothing.
void ReleasePadSteering();

// Whether a pad holds the steering key it stands for: the first pad's left and right stand
// for the cursor keys, the second's for Z and X.
bool PadHolds(SDLKey key);
