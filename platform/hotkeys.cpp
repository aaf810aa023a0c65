#include "platform/hotkeys.h"

#include "platform/display.h"
#include "platform/pointer.h"
#include "platform/sound_switch.h"

namespace {

struct Hotkey {
    SDLKey key;
    void (*action)();
    const char* keyName;  // as "--help" lists it
    const char* what;
};

// Every hotkey and what it does; a key added here works on every screen at once.
const Hotkey HOTKEYS[] = {
    {SDLK_m, FlipSound, "M", "Sound off and on"},
    // Carried out by the next present: a video mode can't change inside SDL's event pump.
    {SDLK_F11, RequestFullScreenSwitch, "F11", "Window or full screen"},
};

}  // namespace

void InstallHotkeys() {
    SDL_SetEventFilter(HotkeyFilter);
}

int HotkeyFilter(const SDL_Event* event) {
    // Read once a frame instead: motion would use up a frame's one event, and hold back a
    // pause key behind it.
    if (TakePointerEvent(event)) {
        return 0;
    }
    if (event->type != SDL_KEYDOWN && event->type != SDL_KEYUP) {
        return 1;
    }
    for (const Hotkey& hotkey : HOTKEYS) {
        if (event->key.keysym.sym == hotkey.key) {
            if (event->type == SDL_KEYDOWN) {
                hotkey.action();
            }
            return 0;
        }
    }
    return 1;
}

void ListHotkeys(void (*list)(const char* keyName, const char* what)) {
    for (const Hotkey& hotkey : HOTKEYS) {
        list(hotkey.keyName, hotkey.what);
    }
}
