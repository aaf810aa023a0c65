#include <string>
#include <vector>

#include "brixolan/cleared_screen.h"
#include "brixolan/constants.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "brixolan/sounds.h"
#include "framework/clock.h"
#include "framework/sound.h"
#include "platform/command_line.h"
#include "shell/controls.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "shell/main_loop.h"
#include "shell/playfield.h"
#include "shell/screens.h"
#include "things/paddle_bounce.h"

namespace brixolan {

namespace {

const int FIRST_LEVEL = 1;
const Uint32 CAPTION_EVERY_MASK = 7;  // the caption changes when lastFrame is a multiple of 8
const Uint32 MS_PER_SECOND = 1000;

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
    KeepOffSideWalls(myPaddle, WALLS);
    if (Touches(theBall, LEFT_BOUND) || Touches(theBall, RIGHT_BOUND)) {
        theBall.UndoUpdate();
        theBall.SetXVel(-theBall.GetXVel());
        ZEM_PlaySound(SOUND_WALL);
    }
    if (Touches(theBall, TOP_BOUND)) {
        theBall.UndoUpdate();
        theBall.SetYVel(-theBall.GetYVel());
        ZEM_PlaySound(SOUND_WALL);
    }
    if (Touches(theBall, BOTTOM_BOUND)) {
        LoseBall();
    }
}

// What a frame leaves behind that decides the frames after it while the paddle stands still
// and nothing is held: the same again means the ball goes round the same frames for ever.
struct StillFrame {
    int ballX, ballY, ballXVel, ballYVel, paddleX, score, lives, level;
    bool operator==(const StillFrame& other) const {
        return ballX == other.ballX && ballY == other.ballY && ballXVel == other.ballXVel &&
               ballYVel == other.ballYVel && paddleX == other.paddleX && score == other.score &&
               lives == other.lives && level == other.level;
    }
};

// A ball squeezed between the paddle's end and a side wall is handed back and forth between
// them every few frames; a free ball takes far longer than this to come back anywhere.
const size_t STILL_FRAMES_KEPT = 8;
std::vector<StillFrame> stillFrames;

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
    if (stillFrames.size() == STILL_FRAMES_KEPT) {
        stillFrames.erase(stillFrames.begin());
    }
    stillFrames.push_back(now);
    return false;
}

// The lose screen takes the place of play, and of a pause asked for in the same frame. After
// a quit request the stack is already empty and the program simply ends.
void CheckLost(bool pausedThisFrame) {
    if (lives != 0 || StateStack.empty()) {
        return;
    }
    if (pausedThisFrame && StateOnTop(PauseState)) {
        StateStack.pop();
    }
    StateStack.pop();
    PushState(LoseState);
    ZEM_PlaySound(SOUND_GAME_LOST);
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

// Past the last level play goes on at the first, keeping score and lives; a player who has
// just knocked out the last brick of the last level is told so first.
void CheckCleared(bool hadBricks) {
    if (!theBricks.empty() || LoadNextLevel()) {
        return;
    }
    level = FIRST_LEVEL;
    LoadLevel(level);
    if (hadBricks && lives > 0 && !StateStack.empty()) {
        PushState(AllClearedState);
    }
}

}  // namespace

void PrePlay() {
    LoadLevel(FIRST_LEVEL);
    lastFrame = timer.GetTicks();
    score = 0;
    lives = LIVES;
    level = FIRST_LEVEL;
    stillFrames.clear();
    DrawGame();
    ZEM_Delay(START_DELAY_MS);
}

void PlayState() {
    ForgetStillFramesIfMoved();
    const bool paused = TakePlayEvent();
    const bool hadBricks = !theBricks.empty();
    PaddleControls controls[PADDLES];
    ReadControls(controls);
    SteerPaddle(myPaddle, controls[BOTTOM_PADDLE]);
    for (int pass = 0; pass < DETECTION_PASSES; ++pass) {
        Move();
        if (BounceOffPaddle(myPaddle, theBall, BASE_VEL)) {
            ZEM_PlaySound(SOUND_PADDLE);
        }
        HitBricks();
        SettleWalls();
    }
    // A trapped ball is served again from the paddle, as after a lost ball but free.
    if (BallGoesRound()) {
        ServeBall();
    }
    if (score > hiScore) {
        hiScore = score;
    }
    CheckLost(paused);
    CheckCleared(hadBricks);
    DrawGame();
}

namespace {

// A set of the player's own stays named in the caption while it plays.
std::string LevelSetInCaption() {
    const std::string name = LevelSetName(chosenOnCommandLine.levels);
    return name.empty() ? "" : " (" + name + ")";
}

}  // namespace

void CapFrameRate() {
    WaitOutFrame(FRAME_PERIOD_MS);

    // The wait keeps the interval at 7 or more; should it ever read 0, the caption stays.
    const Uint32 elapsed = timer.GetTicks() - lastFrame;
    if ((lastFrame & CAPTION_EVERY_MASK) == 0 && elapsed != 0) {
        const std::string caption = "Now running at " + std::to_string(MS_PER_SECOND / elapsed) +
                                    " frames per second." + LevelSetInCaption();
        SDL_WM_SetCaption(caption.c_str(), nullptr);
    }
    lastFrame = timer.GetTicks();
}

}  // namespace brixolan
