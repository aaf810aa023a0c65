#include "shell/main_loop.h"

#include "framework/clock.h"
#include "platform/gamepads.h"
#include "platform/pointer.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "platform/quit_request.h"
#include "shell/screens.h"

std::stack<StateStruct> StateStack;

void PushState(void (*statePointer)()) {
    StateStruct state;
    state.statePointer = statePointer;
    StateStack.push(state);
}

void EmptyStateStack() {
    while (!StateStack.empty()) {
        StateStack.pop();
    }
}

bool StateOnTop(void (*statePointer)()) {
    return !StateStack.empty() && StateStack.top().statePointer == statePointer;
}

void RunMainLoop() {
    while (!StateStack.empty()) {
        void (*state)() = StateStack.top().statePointer;
        state();
        if (TakeQuitRequest()) {
            EmptyStateStack();
        }
        game->CapFrameRate();
    }
}

bool TakePlayEvent() {
    // The pads and the mouse are read with the keys, so a lean or a move steers the frame it
    // is read in.
    PollPads();
    PollPointer();
    if (SDL_PollEvent(&event) == 0) {
        return false;
    }
    if (event.type == SDL_QUIT) {
        EmptyStateStack();
    } else if (event.type == SDL_KEYDOWN &&
               (event.key.keysym.sym == SDLK_p || event.key.keysym.sym == SDLK_ESCAPE)) {
        PushState(PauseState);
        return true;
    }
    return false;
}

void WaitOutFrame(Uint32 period) {
    Uint32 elapsed = timer.GetTicks() - lastFrame;
    while (elapsed < period) {
        ZEM_SleepOutFrame(period - elapsed);
        elapsed = timer.GetTicks() - lastFrame;
    }
}
