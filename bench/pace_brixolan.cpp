#include "bench/pace_player.h"

#include "SDL.h"
#include "brixolan/constants.h"
#include "shell/globals.h"

using namespace brixolan;

const char* const PACED_GAME = "brixolan";
const unsigned PACED_PERIOD_MS = FRAME_PERIOD_MS;

namespace {

// How far off the ball's middle the paddle's middle may be before the player steers.
const int STEER_SLACK = 4;

}  // namespace

// Keeps the paddle's middle under the ball's middle.
void HoldKeysLikeAPlayer() {
    Uint8* keys = SDL_GetKeyState(nullptr);
    const int ball = theBall.GetXPos() + theBall.GetXSize() / 2;
    const int paddle = myPaddle.GetXPos() + myPaddle.GetXSize() / 2;
    keys[SDLK_LEFT] = paddle > ball + STEER_SLACK ? 1 : 0;
    keys[SDLK_RIGHT] = paddle < ball - STEER_SLACK ? 1 : 0;
}
