#include "bench/pace_player.h"

#include "SDL.h"
#include "tamu/constants.h"
#include "shell/globals.h"
#include "tamu/game.h"

using namespace tamu;

const char* const PACED_GAME = "tamu";
const unsigned PACED_PERIOD_MS = FRAME_PERIOD_MS;

namespace {

const int STEER_SLACK = 4;

// Holds one paddle's pair of keys so that its middle follows the ball's middle.
void Follow(const Paddle& paddle, SDLKey left, SDLKey right, Uint8* keys) {
    const int ball = theBall.GetXPos() + theBall.GetXSize() / 2;
    const int middle = paddle.GetXPos() + paddle.GetXSize() / 2;
    keys[left] = middle > ball + STEER_SLACK ? 1 : 0;
    keys[right] = middle < ball - STEER_SLACK ? 1 : 0;
}

}  // namespace

// Both players follow the ball, each with their own keys.
void HoldKeysLikeAPlayer() {
    Uint8* keys = SDL_GetKeyState(nullptr);
    Follow(myPaddle, SDLK_LEFT, SDLK_RIGHT, keys);
    Follow(otherPaddle, SDLK_z, SDLK_x, keys);
}
