#include "shell/play_event.h"

#include "SDL.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/state_stack.h"

bool TakePlayEvent() {
    if (SDL_PollEvent(&event) == 0) {
        return false;
    }
    if (event.type == SDL_QUIT) {
        while (!StateStack.empty()) {
            StateStack.pop();
        }
    } else if (event.type == SDL_KEYDOWN &&
               (event.key.keysym.sym == SDLK_p || event.key.keysym.sym == SDLK_ESCAPE)) {
        PushState(PauseState);
        return true;
    }
    return false;
}
