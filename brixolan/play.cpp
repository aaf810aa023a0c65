#include <vector>

#include "brixolan/constants.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "brixolan/sounds.h"
#include "framework/clock.h"
#include "framework/sound.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/play_event.h"
#include "things/paddle_bounce.h"
#include "shell/screens.h"

namespace {

const int FIRST_LEVEL = 1;

bool TopIs(void (*state)()) {
    return !StateStack.empty() && StateStack.top().statePointer == state;
}

void Steer() {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    if (keys[SDLK_LEFT]) {
        myPaddle.Left();
    }
    if (keys[SDLK_RIGHT]) {
        myPaddle.Right();
    }
    myPaddle.Friction();
}

void Move() {
    myPaddle.UpdateLocation();
    myPaddle.SetCollBoxes();
    theBall.UpdateLocation();
    theBall.SetCollBoxes();
}

// Turns the ball away on each side that is inside the brick and still heading into it.
void FlipOffBrick(const std::vector<CollData>& sides) {
    if (sides[Ball::LEFT_SIDE].collided && theBall.GetXVel() < 0) {
        theBall.SetXVel(-theBall.GetXVel());
    }
    if (sides[Ball::TOP_SIDE].collided && theBall.GetYVel() < 0) {
        theBall.SetYVel(-theBall.GetYVel());
    }
    if (sides[Ball::RIGHT_SIDE].collided && theBall.GetXVel() > 0) {
        theBall.SetXVel(-theBall.GetXVel());
    }
    if (sides[Ball::BOTTOM_SIDE].collided && theBall.GetYVel() > 0) {
        theBall.SetYVel(-theBall.GetYVel());
    }
}

// Each brick the ball touches loses one life (a point) and is gone when it has none left.
void HitBricks() {
    std::vector<CollData> sides;
    auto brick = theBricks.begin();
    while (brick != theBricks.end()) {
        if (!theBall.HasCollided(brick->GetCollisionBoxes(), &sides, nullptr) ||
            brick->GetLives() == 0) {
            ++brick;
            continue;
        }
        FlipOffBrick(sides);
        brick->LoseLife();
        ++score;
        ZEM_PlaySound(BrickSound(brick->GetLives(), theBricks.size()));
        if (brick->GetLives() == 0) {
            brick = theBricks.erase(brick);
        } else {
            ++brick;
        }
    }
}

void LoseBall() {
    ZEM_PlaySound(SOUND_BALL_LOST);
    ServeBall();
    --lives;
    ZEM_Delay(LOST_BALL_DELAY_MS);
}

void SettleWalls() {
    std::vector<SDL_Rect> left{LEFT_BOUND};
    std::vector<SDL_Rect> top{TOP_BOUND};
    std::vector<SDL_Rect> right{RIGHT_BOUND};
    std::vector<SDL_Rect> bottom{BOTTOM_BOUND};

    if (myPaddle.HasCollided(left, nullptr, nullptr)) {
        myPaddle.SetXPos(LEFT_BOUND.x + LEFT_BOUND.w);
    }
    if (myPaddle.HasCollided(right, nullptr, nullptr)) {
        myPaddle.SetXPos(RIGHT_BOUND.x - myPaddle.GetXSize());
    }
    if (theBall.HasCollided(left, nullptr, nullptr) ||
        theBall.HasCollided(right, nullptr, nullptr)) {
        theBall.UndoUpdate();
        theBall.SetXVel(-theBall.GetXVel());
        ZEM_PlaySound(SOUND_WALL);
    }
    if (theBall.HasCollided(top, nullptr, nullptr)) {
        theBall.UndoUpdate();
        theBall.SetYVel(-theBall.GetYVel());
        ZEM_PlaySound(SOUND_WALL);
    }
    if (theBall.HasCollided(bottom, nullptr, nullptr)) {
        LoseBall();
    }
}

// The lose screen takes the place of play, and of a pause asked for in the same frame. After
// a quit request the stack is already empty and the program simply ends.
void CheckLost(bool pausedThisFrame) {
    if (lives != 0 || StateStack.empty()) {
        return;
    }
    if (pausedThisFrame && TopIs(PauseState)) {
        StateStack.pop();
    }
    StateStack.pop();
    PushState(LoseState);
    ZEM_PlaySound(SOUND_GAME_LOST);
}

// A cleared level brings the next one; past the last level of the file play goes on at
// the first again. Without a first level the numbers keep counting, one a frame.
void CheckCleared() {
    if (!theBricks.empty()) {
        return;
    }
    ++level;
    LoadLevel(level);
    if (theBricks.empty() && level != FIRST_LEVEL) {
        LoadLevel(FIRST_LEVEL);
        if (!theBricks.empty()) {
            level = FIRST_LEVEL;
        }
    }
}

}  // namespace

void PrePlay() {
    LoadLevel(FIRST_LEVEL);
    lastFrame = timer.GetTicks();
    score = 0;
    lives = LIVES;
    level = FIRST_LEVEL;
    DrawGame();
    ZEM_Delay(START_DELAY_MS);
}

void PlayState() {
    const bool paused = TakePlayEvent();
    Steer();
    for (int pass = 0; pass < DETECTION_PASSES; ++pass) {
        Move();
        if (BounceOffPaddle(myPaddle, theBall, BASE_VEL)) {
            ZEM_PlaySound(SOUND_PADDLE);
        }
        HitBricks();
        SettleWalls();
    }
    if (score > hiScore) {
        hiScore = score;
    }
    CheckLost(paused);
    CheckCleared();
    DrawGame();
}
