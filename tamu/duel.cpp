#include "tamu/duel.h"

#include "framework/sound.h"
#include "shell/globals.h"
#include "shell/playfield.h"
#include "things/paddle_bounce.h"
#include "tamu/constants.h"
#include "tamu/game.h"

namespace tamu {

namespace {

MoverState Placed(int x, int y, int w, int h, int xVel, int yVel) {
    return MoverState{x, y, w, h, xVel, yVel};
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

// Steps back by the velocity the ball has now, which a paddle may have set this frame.
ZemSoundBits BounceOffSideWalls() {
    if (Touches(theBall, LEFT_BOUND) || Touches(theBall, RIGHT_BOUND)) {
        theBall.UndoUpdate();
        theBall.SetXVel(-theBall.GetXVel());
        return SoundBit(SOUND_WALL);
    }
    return 0;
}

void ServeFromCentre(int yVel) {
    theBall.SetBothPos(BALL_START_X, BALL_START_Y);
    theBall.SetBothVel(0, yVel);
}

// The ball reaching the wall behind a paddle is a point for the other player, and comes
// back from the centre towards the scorer.
ZemSoundBits ScoreAtEndWalls() {
    ZemSoundBits sounds = 0;
    if (Touches(theBall, TOP_BOUND)) {
        ServeFromCentre(POINT_SERVE_SPEED);
        ++myScore;
        sounds |= SoundBit(SOUND_POINT_PLAYER_ONE);
    }
    if (Touches(theBall, BOTTOM_BOUND)) {
        ServeFromCentre(-POINT_SERVE_SPEED);
        ++otherScore;
        sounds |= SoundBit(SOUND_POINT_PLAYER_TWO);
    }
    return sounds;
}

ZemSoundBits BounceOffBothPaddles() {
    ZemSoundBits sounds = 0;
    if (BounceOffPaddle(myPaddle, theBall, BASE_VEL)) {
        sounds |= SoundBit(SOUND_PADDLE);
    }
    if (BounceOffPaddle(otherPaddle, theBall, BASE_VEL)) {
        sounds |= SoundBit(SOUND_PADDLE);
    }
    return sounds;
}

}  // namespace

DuelState OpeningDuel() {
    DuelState state{};
    state.ball = Placed(BALL_START_X, BALL_START_Y, BALL_SIZE, BALL_SIZE, 0, OPENING_SERVE_Y_VEL);
    state.paddles[BOTTOM_PADDLE] =
        Placed(PADDLE_START_X, MY_PADDLE_START_Y, PADDLE_WIDTH, PADDLE_HEIGHT, 0, 0);
    state.paddles[TOP_PADDLE] =
        Placed(PADDLE_START_X, OTHER_PADDLE_START_Y, PADDLE_WIDTH, PADDLE_HEIGHT, 0, 0);
    return state;
}

DuelState SaveDuel() {
    DuelState state{};
    state.ball = theBall.Save();
    state.paddles[BOTTOM_PADDLE] = myPaddle.Save();
    state.paddles[TOP_PADDLE] = otherPaddle.Save();
    state.scores[BOTTOM_PADDLE] = myScore;
    state.scores[TOP_PADDLE] = otherScore;
    return state;
}

void RestoreDuel(const DuelState& state) {
    theBall.Restore(state.ball);
    myPaddle.Restore(state.paddles[BOTTOM_PADDLE]);
    otherPaddle.Restore(state.paddles[TOP_PADDLE]);
    myScore = state.scores[BOTTOM_PADDLE];
    otherScore = state.scores[TOP_PADDLE];
}

std::uint32_t StepDuel(const PaddleControls controls[PADDLES]) {
    SteerPaddle(myPaddle, controls[BOTTOM_PADDLE]);
    SteerPaddle(otherPaddle, controls[TOP_PADDLE]);
    MoveAll();
    ZemSoundBits sounds = BounceOffBothPaddles();
    KeepOffSideWalls(myPaddle, WALLS);
    KeepOffSideWalls(otherPaddle, WALLS);
    sounds |= BounceOffSideWalls();
    sounds |= ScoreAtEndWalls();
    return sounds;
}

std::uint32_t DuelChecksum(const DuelState& state) {
    StateHash hash;
    AddToHash(hash, state.ball);
    for (int paddle = 0; paddle < PADDLES; ++paddle) {
        AddToHash(hash, state.paddles[paddle]);
        hash.Add(state.scores[paddle]);
    }
    return hash.Value();
}

}  // namespace tamu
