#include "brixolan/round.h"

#include <algorithm>
#include <vector>

#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "brixolan/sounds.h"
#include "shell/globals.h"
#include "shell/playfield.h"
#include "things/paddle_bounce.h"

namespace brixolan {

namespace {

const int FIRST_LEVEL = 1;

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
void HitBricks(RoundNews& news) {
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
        news.sounds.Add(BrickSound(brick->GetLives(), theBricks.size()));
        if (brick->GetLives() == 0) {
            brick = theBricks.erase(brick);
        } else {
            ++brick;
        }
    }
}

void LoseBall(RoundNews& news) {
    news.sounds.Add(SOUND_BALL_LOST);
    ServeBall();
    --lives;
    ++news.ballsLost;
}

void SettleWalls(RoundNews& news) {
    KeepOffSideWalls(myPaddle, WALLS);
    if (Touches(theBall, LEFT_BOUND) || Touches(theBall, RIGHT_BOUND)) {
        theBall.UndoUpdate();
        theBall.SetXVel(-theBall.GetXVel());
        news.sounds.Add(SOUND_WALL);
    }
    if (Touches(theBall, TOP_BOUND)) {
        theBall.UndoUpdate();
        theBall.SetYVel(-theBall.GetYVel());
        news.sounds.Add(SOUND_WALL);
    }
    if (Touches(theBall, BOTTOM_BOUND)) {
        LoseBall(news);
    }
}

std::vector<StillFrame> stillFrames;  // the last few, the oldest first

StillFrame ThisFrame() {
    return StillFrame{theBall.GetXPos(),
                      theBall.GetYPos(),
                      theBall.GetXVel(),
                      theBall.GetYVel(),
                      myPaddle.GetXPos(),
                      score,
                      lives,
                      level};
}

// Frames are only compared along one unbroken run of play: a ball or paddle placed anew
// between two frames starts the count again.
void ForgetStillFramesIfMoved() {
    if (!stillFrames.empty() && !(stillFrames.back() == ThisFrame())) {
        stillFrames.clear();
    }
}

// True when this frame ends as one of the last few did, with the paddle at rest all along
// and no brick or ball lost since: the ball would repeat those frames without end.
bool BallGoesRound() {
    if (myPaddle.GetXVel() != 0) {
        stillFrames.clear();
        return false;
    }
    const StillFrame now = ThisFrame();
    for (const StillFrame& before : stillFrames) {
        if (before == now) {
            stillFrames.clear();
            return true;
        }
    }
    if (stillFrames.size() == static_cast<std::size_t>(STILL_FRAMES_KEPT)) {
        stillFrames.erase(stillFrames.begin());
    }
    stillFrames.push_back(now);
    return false;
}

// After a cleared level come the next numbers the file holds, in order; a level without
// bricks is passed over at once. False when no level with bricks follows.
bool LoadNextLevel() {
    for (int next = NextLevelNumber(level); next != NO_LEVEL; next = NextLevelNumber(level)) {
        level = next;
        LoadLevel(level);
        if (!theBricks.empty()) {
            return true;
        }
    }
    return false;
}

// Past the last level play goes on at the first, keeping score and lives; true when the
// last brick of the last level went this frame.
bool CheckCleared(bool hadBricks) {
    if (!theBricks.empty() || LoadNextLevel()) {
        return false;
    }
    level = FIRST_LEVEL;
    LoadLevel(level);
    return hadBricks;
}

}  // namespace

void BeginRound() {
    LoadLevel(FIRST_LEVEL);
    score = 0;
    lives = LIVES;
    level = FIRST_LEVEL;
    stillFrames.clear();
}

RoundState SaveRound() {
    RoundState state{};
    state.ball = theBall.Save();
    state.paddle = myPaddle.Save();
    for (const Brick& brick : theBricks) {
        if (state.brickCount < MOST_BRICKS) {
            state.bricks[state.brickCount++] = brick.Save();
        }
    }
    state.level = level;
    state.lives = lives;
    state.score = score;
    for (const StillFrame& frame : stillFrames) {
        state.stillFrames[state.stillFrameCount++] = frame;
    }
    return state;
}

void RestoreRound(const RoundState& state) {
    theBall.Restore(state.ball);
    myPaddle.Restore(state.paddle);
    theBricks.clear();
    for (int at = 0; at < state.brickCount && at < MOST_BRICKS; ++at) {
        theBricks.emplace_back(state.bricks[at]);
    }
    level = state.level;
    lives = state.lives;
    score = state.score;
    const int still = std::min(std::max(state.stillFrameCount, 0), STILL_FRAMES_KEPT);
    stillFrames.assign(state.stillFrames, state.stillFrames + still);
}

RoundNews StepRound(const PaddleControls controls[PADDLES]) {
    RoundNews news;
    ForgetStillFramesIfMoved();
    const bool hadBricks = !theBricks.empty();
    SteerPaddle(myPaddle, controls[BOTTOM_PADDLE]);
    for (int pass = 0; pass < DETECTION_PASSES; ++pass) {
        Move();
        if (BounceOffPaddle(myPaddle, theBall, BASE_VEL)) {
            news.sounds.Add(SOUND_PADDLE);
        }
        HitBricks(news);
        SettleWalls(news);
    }
    // A trapped ball is served again from the paddle, as after a lost ball but free.
    if (BallGoesRound()) {
        ServeBall();
    }
    news.allLevelsCleared = CheckCleared(hadBricks);
    return news;
}

std::uint32_t RoundChecksum(const RoundState& state) {
    StateHash hash;
    AddToHash(hash, state.ball);
    AddToHash(hash, state.paddle);
    hash.Add(state.brickCount);
    for (int at = 0; at < state.brickCount && at < MOST_BRICKS; ++at) {
        const BrickState& brick = state.bricks[at];
        for (int value : {brick.x, brick.y, brick.w, brick.h, brick.type, brick.lives}) {
            hash.Add(value);
        }
    }
    for (int value : {state.level, state.lives, state.score, state.stillFrameCount}) {
        hash.Add(value);
    }
    for (int at = 0; at < state.stillFrameCount && at < STILL_FRAMES_KEPT; ++at) {
        const StillFrame& frame = state.stillFrames[at];
        for (int value : {frame.ballX, frame.ballY, frame.ballXVel, frame.ballYVel, frame.paddleX,
                          frame.score, frame.lives, frame.level}) {
            hash.Add(value);
        }
    }
    return hash.Value();
}

}  // namespace brixolan
