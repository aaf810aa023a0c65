#include "platform/gamepads.h"

#include <vector>

#include "framework/key_press.h"
#include "platform/host.h"

namespace {

// A stick must lean this far (of 32767) before it steers: a resting stick never drifts.
const Sint16 DEAD_ZONE = 8000;
const int HAT = 0;
const int STICK_X_AXIS = 0;
const int STICK_Y_AXIS = 1;
const int CONFIRM_BUTTON = 0;
// Where Start sits on the common pads of today.
const int START_BUTTON = 7;

struct SteeringKeys {
    SDLKey left;
    SDLKey right;
};
const SteeringKeys PAD_KEYS[MAX_PADS] = {{SDLK_LEFT, SDLK_RIGHT}, {SDLK_z, SDLK_x}};

const SDLKey PAUSE_KEY = SDLK_p;
const SDLKey MENU_UP_KEY = SDLK_UP;
const SDLKey MENU_DOWN_KEY = SDLK_DOWN;
const SDLKey MENU_CONFIRM_KEY = SDLK_RETURN;

std::vector<SDL_Joystick*> joysticks;
PadState current[MAX_PADS];
PadState previous[MAX_PADS];

bool Button(SDL_Joystick* pad, int button) {
    return button < SDL_JoystickNumButtons(pad) && SDL_JoystickGetButton(pad, button) != 0;
}

Sint16 Axis(SDL_Joystick* pad, int axis) {
    return axis < SDL_JoystickNumAxes(pad) ? SDL_JoystickGetAxis(pad, axis) : 0;
}

void ReadJoysticks(PadState pads[MAX_PADS]) {
    if (joysticks.empty()) {
        return;
    }
    SDL_JoystickUpdate();
    for (size_t i = 0; i < joysticks.size(); ++i) {
        SDL_Joystick* pad = joysticks[i];
        const Uint8 hat = SDL_JoystickNumHats(pad) > HAT ? SDL_JoystickGetHat(pad, HAT) : 0;
        const Sint16 x = Axis(pad, STICK_X_AXIS);
        const Sint16 y = Axis(pad, STICK_Y_AXIS);
        pads[i].left = (hat & SDL_HAT_LEFT) != 0 || x < -DEAD_ZONE;
        pads[i].right = (hat & SDL_HAT_RIGHT) != 0 || x > DEAD_ZONE;
        pads[i].up = (hat & SDL_HAT_UP) != 0 || y < -DEAD_ZONE;
        pads[i].down = (hat & SDL_HAT_DOWN) != 0 || y > DEAD_ZONE;
        pads[i].confirm = Button(pad, CONFIRM_BUTTON);
        pads[i].start = Button(pad, START_BUTTON);
    }
}

PadReader reader = ReadJoysticks;

void QueuePresses(const PadState& now, const PadState& before, bool inPlay) {
    if (inPlay) {
        if (now.start && !before.start) {
            ZEM_PushKeyPress(PAUSE_KEY);
        }
        return;
    }
    if (now.up && !before.up) {
        ZEM_PushKeyPress(MENU_UP_KEY);
    }
    if (now.down && !before.down) {
        ZEM_PushKeyPress(MENU_DOWN_KEY);
    }
    if (now.confirm && !before.confirm) {
        ZEM_PushKeyPress(MENU_CONFIRM_KEY);
    }
}

}  // namespace

void OpenPads() {
    SDL_JoystickEventState(SDL_IGNORE);
    for (int i = 0; i < SDL_NumJoysticks() && i < MAX_PADS; ++i) {
        SDL_Joystick* pad = SDL_JoystickOpen(i);
        if (pad != nullptr) {
            joysticks.push_back(pad);
        }
    }
}

void ClosePads() {
    for (SDL_Joystick* pad : joysticks) {
        SDL_JoystickClose(pad);
    }
    joysticks.clear();
    for (int i = 0; i < MAX_PADS; ++i) {
        current[i] = PadState();
        previous[i] = PadState();
    }
}

void SetPadReader(PadReader newReader) {
    reader = newReader != nullptr ? newReader : ReadJoysticks;
}

void PollPads() {
    PadState now[MAX_PADS];
    reader(now);
    const bool inPlay = Host() != nullptr && Host()->inPlay != nullptr && Host()->inPlay();
    for (int i = 0; i < MAX_PADS; ++i) {
        previous[i] = current[i];
        current[i] = now[i];
        QueuePresses(current[i], previous[i], inPlay);
    }
}

void ReleasePadSteering() {
    for (PadState& pad : current) {
        pad.left = false;
        pad.right = false;
    }
}

bool PadHolds(SDLKey key) {
    for (int i = 0; i < MAX_PADS; ++i) {
        if ((key == PAD_KEYS[i].left && current[i].left) ||
            (key == PAD_KEYS[i].right && current[i].right)) {
            return true;
        }
    }
    return false;
}
