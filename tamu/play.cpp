#include <vector>

#include "framework/sound.h"
#include "framework/surface.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/play_event.h"
#include "things/paddle_bounce.h"
#include "tamu/constants.h"
#include "tamu/draw.h"
#include "tamu/game.h"

namespace {

// A quit request ends the program after this frame; P or Escape pauses from the next pass.
// Left before right on each pair, so that a pair held together largely cancels out; then
// friction slows both paddles.
void Steer() {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    if (keys[SDLK_LEFT]) {
        myPaddle.Left();
    }
    if (keys[SDLK_RIGHT]) {
        myPaddle.Right();
    }
    if (keys[SDLK_z]) {
        otherPaddle.Left();
    }
    if (keys[SDLK_x]) {
        otherPaddle.Right();
    }
    myPaddle.Friction();
    otherPaddle.Friction();
}

// Every test of the frame uses the boxes rebuilt here, even after a thing is moved again.
void MoveAll() {
    theBall.UpdateLocation();
    myPaddle.UpdateLocation();
    otherPaddle.UpdateLocation();
    theBall.SetCollBoxes();
    myPaddle.SetCollBoxes();
    otherPaddle.SetCollBoxes();
}

bool Touches(const CollidableThing& thing, const SDL_Rect& wall) {
    const std::vector<SDL_Rect> wallBoxes = {wall};
    return thing.HasCollided(wallBoxes, nullptr, nullptr);
}

// The paddle is put back against the wall but keeps its velocity, so one steered into a
// wall keeps pushing and is put back every frame.
void KeepOffSideWalls(Paddle& paddle) {
    if (Touches(paddle, LEFT_BOUND)) {
        paddle.SetXPos(LEFT_BOUND.x + LEFT_BOUND.w);
    }
    if (Touches(paddle, RIGHT_BOUND)) {
        paddle.SetXPos(RIGHT_BOUND.x - paddle.GetXSize());
    }
}

// Steps back by the velocity the ball has now, which a paddle may have set this frame.
void BounceOffSideWalls() {
    if (Touches(theBall, LEFT_BOUND) || Touches(theBall, RIGHT_BOUND)) {
        theBall.UndoUpdate();
        theBall.SetXVel(-theBall.GetXVel());
        ZEM_PlaySound(SOUND_WALL);
    }
}

void ServeFromCentre(int yVel) {
    theBall.SetBothPos(BALL_START_X, BALL_START_Y);
    theBall.SetBothVel(0, yVel);
}

// The ball reaching the wall behind a paddle is a point for the other player, and comes
// back from the centre towards the scorer.
void ScoreAtEndWalls() {
    if (Touches(theBall, TOP_BOUND)) {
        ServeFromCentre(POINT_SERVE_SPEED);
        ++myScore;
        ZEM_PlaySound(SOUND_POINT_PLAYER_ONE);
    }
    if (Touches(theBall, BOTTOM_BOUND)) {
        ServeFromCentre(-POINT_SERVE_SPEED);
        ++otherScore;
        ZEM_PlaySound(SOUND_POINT_PLAYER_TWO);
    }
}

void PlacePaddle(Paddle& paddle, int y) {
    paddle.SetBothPos(PADDLE_START_X, y);
    paddle.SetBothVel(0, 0);
    paddle.SetBothSize(PADDLE_WIDTH, PADDLE_HEIGHT);
}

}  // namespace

void PrePlay() {
    // The only time in a duel that the background and the side walls are painted.
    ZEM_BlitSurface(background, nullptr, screen, 0, 0);
    PaintWall(TOP_BOUND);
    PaintWall(LEFT_BOUND);
    PaintWall(RIGHT_BOUND);
    PaintWall(BOTTOM_BOUND);

    PlacePaddle(myPaddle, MY_PADDLE_START_Y);
    PlacePaddle(otherPaddle, OTHER_PADDLE_START_Y);
    theBall.SetBothPos(BALL_START_X, BALL_START_Y);
    theBall.SetBothVel(0, OPENING_SERVE_Y_VEL);
    theBall.SetBothSize(BALL_SIZE, BALL_SIZE);

    lastFrame = timer.GetTicks();
    myScore = 0;
    otherScore = 0;
}

void PlayState() {
    TakePlayEvent();
    Steer();
    MoveAll();
    if (BounceOffPaddle(myPaddle, theBall, BASE_VEL)) {
        ZEM_PlaySound(SOUND_PADDLE);
    }
    if (BounceOffPaddle(otherPaddle, theBall, BASE_VEL)) {
        ZEM_PlaySound(SOUND_PADDLE);
    }
    KeepOffSideWalls(myPaddle);
    KeepOffSideWalls(otherPaddle);
    BounceOffSideWalls();
    ScoreAtEndWalls();
    DrawGame();
}
