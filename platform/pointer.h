#pragma once

#include "SDL.h"

// The mouse beside the keyboard and the pads. In play it steers the bottom paddle once it has
// moved in the window during this game (the keys or a pad take over again when used, and
// the mouse again when it moves again); on the menus moving over a line selects it and a
// click chooses it. The pointer is hidden over the window during play and shown elsewhere.
//
// Like the pads, the pointer is read once a frame and never queued: its motion and clicks
// are taken out of the event stream, so they never use up the one event a frame of play (or
// a pass of a menu) takes. A click on a menu line becomes one press of Enter.

// Where the pointer is, in the window's pixels, as the window was last told.
struct PointerState {
    int x = 0;
    int y = 0;
    // False until the window has been told where the pointer is: before the first motion it
    // reports, and again after the window was made anew.
    bool known = false;
    // Presses of the first button since the last reading.
    int clicks = 0;
};

// Fills in the pointer's state now.
using PointerReader = void (*)(PointerState& pointer);

// Where the pointer is read from: the motion and clicks SDL reported, unless a test feeds its
// own (null puts SDL's back).
void SetPointerReader(PointerReader reader);

// For the event filter: true for an event of the pointer (motion, buttons, entering or leaving
// the window), which it takes note of here and which must not reach the queue.
bool TakePointerEvent(const SDL_Event* event);

// The window was made anew (a switch to or from full screen): the next position it reports is
// where the pointer already was, not a move.
void ForgetPointerPosition();

// Reads the pointer: in play, a move hands the bottom paddle to it; on a menu it selects the
// line it moved over, and a click on a line queues Enter. Shows or hides the pointer.
void PollPointer();

// A new game starts with the keys and pads steering: the mouse only after it moves.
void ReleasePointerSteering();

// Whether the mouse steers the bottom paddle now, and the picture's column it points at.
bool PointerSteers();
int PointerColumn();

// The keys or a pad were used: they steer until the mouse moves again.
void KeysTakeOver();
