#pragma once

#include <stack>

#include "SDL.h"
#include "platform/display.h"

// The window, the stack of game states and the loop that runs them: the frame of every
// screen starts and ends here.
//
//   while the stack is not empty:
//       run the state on top        (one pass of the main menu or of play; help, pause and
//                                    lose block inside their call until Enter)
//       end on a quit signal        (Ctrl+C, SIGTERM, SIGHUP: the stack is emptied)
//       run the game's CapFrameRate (sleep out the rest of the frame)
//
// A state of play takes at most one queued event a frame (TakePlayEvent) and reads held keys
// for steering; it ends with the frame drawn and presented.

// A game state is a function run once per pass of the main loop while it is on top.
struct StateStruct {
    void (*statePointer)();
};

extern std::stack<StateStruct> StateStack;

// Pushes the state with this function on top of the stack.
void PushState(void (*statePointer)());

// Pops every state: the program ends after the pass that did it.
void EmptyStateStack();

// Whether this state is on top of the stack.
bool StateOnTop(void (*statePointer)());

// Runs the state on top, then the game's pacer, until the stack is empty. The top is looked
// up anew every pass, and the pacer follows every call, the one that emptied the stack too.
void RunMainLoop();

// The one queued event a frame of play takes, the same in both games: a quit request empties
// the state stack (the program ends after this pass), P or Escape pushes the pause screen,
// anything else is dropped. Either way the rest of the frame is still played and drawn.
// True when it pushed the pause screen.
bool TakePlayEvent();

// Sleeps until the game clock reads at least `period` milliseconds past lastFrame. The rest
// is computed from the very reading that was compared, so it is never negative, and the
// unsigned difference stays right when the millisecond count wraps.
void WaitOutFrame(Uint32 period);
