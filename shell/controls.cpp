#include "shell/controls.h"

#include "SDL.h"
#include "platform/gamepads.h"
#include "platform/pointer.h"
#include "shell/globals.h"

namespace {

struct SteeringKeys {
    SDLKey left;
    SDLKey right;
};
const SteeringKeys PADDLE_KEYS[PADDLES] = {{SDLK_LEFT, SDLK_RIGHT}, {SDLK_z, SDLK_x}};

ControlsSource sources[PADDLES] = {PlayerControls, PlayerControls};

// Far more frames than a paddle takes to reach its top speed or to come to rest.
const int SETTLING_FRAMES = 100;

// The mouse's dead band and the speed limit it was worked out for.
int deadBand = 0;
int bandSpeedLimit = -1;

}  // namespace

void HeldKeysAndPads(int paddle, PaddleControls& controls) {
    // The one place the held keys are read.
    const Uint8* keys = SDL_GetKeyState(nullptr);
    const SteeringKeys& steering = PADDLE_KEYS[paddle];
    controls.left = keys[steering.left] || PadHolds(steering.left);
    controls.right = keys[steering.right] || PadHolds(steering.right);
}

void PlayerControls(int paddle, PaddleControls& controls) {
    HeldKeysAndPads(paddle, controls);
    if (paddle != BOTTOM_PADDLE) {
        return;
    }
    if (controls.left || controls.right) {
        KeysTakeOver();
    } else if (PointerSteers()) {
        SteerTowards(myPaddle, PointerColumn(), controls);
    }
}

namespace {

// Half the paddle's run from its last step at top speed to rest, from its own steps and
// friction.
int BandOfThePaddlesSteps() {
    Paddle paddle;
    PaddleControls right;
    right.right = true;
    for (int frame = 0; frame < SETTLING_FRAMES; ++frame) {
        SteerPaddle(paddle, right);
    }
    const int start = paddle.GetXPos();
    SteerPaddle(paddle, right);
    paddle.UpdateLocation();
    for (int frame = 0; frame < SETTLING_FRAMES && paddle.GetXVel() != 0; ++frame) {
        SteerPaddle(paddle, PaddleControls());
        paddle.UpdateLocation();
    }
    return (paddle.GetXPos() - start) / 2;
}

}  // namespace

// Worked out once for each speed limit, not on every frame the mouse steers.
int PointerDeadBand() {
    if (bandSpeedLimit != Paddle::speedLimit) {
        deadBand = BandOfThePaddlesSteps();
        bandSpeedLimit = Paddle::speedLimit;
    }
    return deadBand;
}

void SteerTowards(const Paddle& paddle, int column, PaddleControls& controls) {
    const int band = PointerDeadBand();
    const int centre = paddle.GetXPos() + paddle.GetXSize() / 2;
    controls.left = column < centre - band;
    controls.right = column > centre + band;
}

void SetControlsSource(int paddle, ControlsSource source) {
    sources[paddle] = source != nullptr ? source : PlayerControls;
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
