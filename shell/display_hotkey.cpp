#include "shell/display_hotkey.h"

#include "shell/display.h"

namespace {

const SDLKey FULL_SCREEN_KEY = SDLK_F11;

// SDL's filter: 0 drops the event, 1 queues it.
int DisplayHotkeyFilter(const SDL_Event* event) {
    return TakeDisplayHotkey(*event) ? 0 : 1;
}

}  // namespace

bool TakeDisplayHotkey(const SDL_Event& event) {
    if ((event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) ||
        event.key.keysym.sym != FULL_SCREEN_KEY) {
        return false;
    }
    if (event.type == SDL_KEYDOWN) {
        RequestFullScreenSwitch();
    }
    return true;
}

void InstallDisplayHotkey() {
    SDL_SetEventFilter(DisplayHotkeyFilter);
}
