#include "shell/controls.h"

#include "SDL.h"
#include "platform/gamepads.h"

namespace {

struct SteeringKeys {
    SDLKey left;
    SDLKey right;
};
const SteeringKeys PADDLE_KEYS[PADDLES] = {{SDLK_LEFT, SDLK_RIGHT}, {SDLK_z, SDLK_x}};

ControlsSource sources[PADDLES] = {HeldKeysAndPads, HeldKeysAndPads};

}  // namespace

void HeldKeysAndPads(int paddle, PaddleControls& controls) {
    // The one place the held keys are read.
    const Uint8* keys = SDL_GetKeyState(nullptr);
    const SteeringKeys& steering = PADDLE_KEYS[paddle];
    controls.left = keys[steering.left] || PadHolds(steering.left);
    controls.right = keys[steering.right] || PadHolds(steering.right);
}

void SetControlsSource(int paddle, ControlsSource source) {
    sources[paddle] = source != nullptr ? source : HeldKeysAndPads;
}

void FeedPaddlesPlainly() {
    for (int paddle = 0; paddle < PADDLES; ++paddle) {
        SetControlsSource(paddle, nullptr);
    }
}

void ReadControls(PaddleControls controls[PADDLES]) {
    for (int paddle = 0; paddle < PADDLES; ++paddle) {
        controls[paddle] = PaddleControls();
        sources[paddle](paddle, controls[paddle]);
    }
}

void SteerPaddle(Paddle& paddle, const PaddleControls& controls) {
    if (controls.left) {
        paddle.Left();
    }
    if (controls.right) {
        paddle.Right();
    }
    paddle.Friction();
}
