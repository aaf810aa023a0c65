#include <vector>

#include "framework/sound.h"
#include "framework/surface.h"
#include "shell/controls.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "shell/playfield.h"
#include "things/paddle_bounce.h"
#include "tamu/constants.h"
#include "tamu/draw.h"
#include "tamu/game.h"

namespace tamu {

namespace {

// Every test of the frame uses the boxes rebuilt here, even after a thing is moved again.
void MoveAll() {
    theBall.UpdateLocation();
    myPaddle.UpdateLocation();
    otherPaddle.UpdateLocation();
    theBall.SetCollBoxes();
    myPaddle.SetCollBoxes();
    otherPaddle.SetCollBoxes();
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
    PaddleControls controls[PADDLES];
    ReadControls(controls);
    SteerPaddle(myPaddle, controls[BOTTOM_PADDLE]);
    SteerPaddle(otherPaddle, controls[TOP_PADDLE]);
    MoveAll();
    if (BounceOffPaddle(myPaddle, theBall, BASE_VEL)) {
        ZEM_PlaySound(SOUND_PADDLE);
    }
    if (BounceOffPaddle(otherPaddle, theBall, BASE_VEL)) {
        ZEM_PlaySound(SOUND_PADDLE);
    }
    KeepOffSideWalls(myPaddle, WALLS);
    KeepOffSideWalls(otherPaddle, WALLS);
    BounceOffSideWalls();
    ScoreAtEndWalls();
    DrawGame();
}

void CapFrameRate() {
    WaitOutFrame(FRAME_PERIOD_MS);
    lastFrame = timer.GetTicks();
}

}  // namespace tamu
