#include <gtest/gtest.h>

#include "framework/surface.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/state_stack.h"
#include "tamu/game.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/tamu_duel_fixture.h"

namespace {

// The new duel, with ways to steer the ball and play on.
class DuelPlayTest : public DuelTest {
protected:
    // Puts the ball where the next frame's move will take it to (x, y) with this velocity.
    static void BallArrivesAt(int x, int y, int xVel, int yVel) {
        theBall.SetBothPos(x - xVel, y - yVel);
        theBall.SetBothVel(xVel, yVel);
    }

    static void PlayFrames(int count) {
        for (int frame = 0; frame < count; ++frame) {
            PlayState();
        }
    }
};

void ExpectAt(const LocatedThing& thing, int x, int y) {
    EXPECT_EQ(thing.GetXPos(), x);
    EXPECT_EQ(thing.GetYPos(), y);
}

void ExpectMoving(const MobileThing& thing, int xVel, int yVel) {
    EXPECT_EQ(thing.GetXVel(), xVel);
    EXPECT_EQ(thing.GetYVel(), yVel);
}

// ---- A new duel ----

TEST_F(DuelPlayTest, NewDuelServesStraightDownFromTheMiddleWithBothScoresAtZero) {
    myScore = 4;
    otherScore = 9;
    theBall.SetBothPos(17, 17);
    myPaddle.SetBothVel(5, 0);
    clock.Advance(500);

    PrePlay();

    ExpectAt(myPaddle, 320, 440);
    ExpectAt(otherPaddle, 320, 40);
    ExpectAt(theBall, 320, 240);
    ExpectMoving(myPaddle, 0, 0);
    ExpectMoving(otherPaddle, 0, 0);
    ExpectMoving(theBall, 0, 3);
    EXPECT_EQ(myPaddle.GetXSize(), 60);
    EXPECT_EQ(myPaddle.GetYSize(), 18);
    EXPECT_EQ(otherPaddle.GetXSize(), 60);
    EXPECT_EQ(otherPaddle.GetYSize(), 18);
    EXPECT_EQ(theBall.GetXSize(), 10);
    EXPECT_EQ(theBall.GetYSize(), 10);
    EXPECT_EQ(myScore, 0);
    EXPECT_EQ(otherScore, 0);
    EXPECT_EQ(lastFrame, 500u) << "the first frame is paced from the start of the duel";

    PlayFrames(2);
    ExpectAt(theBall, 320, 246);
    ExpectMoving(theBall, 0, 3);
    ExpectAt(myPaddle, 320, 440);
    ExpectAt(otherPaddle, 320, 40);
}

TEST_F(DuelPlayTest, NewDuelPaintsBackgroundAndWhiteWallsLeavingLastRowAndColumn) {
    EXPECT_TRUE(AreaIs(screen, 0, 0, 639, 14, WHITE));
    EXPECT_TRUE(AreaIs(screen, 0, 0, 14, 479, WHITE));
    EXPECT_TRUE(AreaIs(screen, 625, 0, 14, 479, WHITE));
    EXPECT_TRUE(AreaIs(screen, 0, 465, 639, 14, WHITE));
    // The window's last column and row lie outside every wall: they show the picture.
    for (int y : {20, 240, 470}) {
        EXPECT_EQ(ColourAt(screen, 639, y), ColourAt(background, 639, y)) << "row " << y;
    }
    for (int x : {0, 320, 638}) {
        EXPECT_EQ(ColourAt(screen, x, 479), ColourAt(background, x, 479)) << "column " << x;
    }
    EXPECT_EQ(ColourAt(screen, 100, 200), ColourAt(background, 100, 200));
    EXPECT_EQ(ColourAt(screen, 15, 15), ColourAt(background, 15, 15));
}

// ---- Deflection by the paddles ----

struct BoxDeflection {
    int box;
    int xVel;
    int yVel;
};

// Every box of either paddle. The upper row is met from above by the ball's bottom-middle
// pixel alone; the lower row from the left by the ball's right-middle pixel, while its
// top-middle pixel may touch a box further left, which must not decide.
TEST_F(DuelPlayTest, EveryBoxOfEitherPaddleGivesTheBallItsOwnVelocity) {
    const BoxDeflection expected[] = {
        {0, -6, -2}, {1, -4, -4}, {2, -2, -6}, {3, 2, -6}, {4, 4, -4}, {5, 6, -2},
        {6, -6, 2},  {7, -4, 4},  {8, -2, 6},  {9, 2, 6},  {10, 4, 4}, {11, 6, 2},
    };
    // The middle column of each box of a row, from the paddle's left edge.
    const int boxMiddle[6] = {3, 14, 24, 31, 42, 52};
    for (Paddle* paddle : {&myPaddle, &otherPaddle}) {
        for (const BoxDeflection& row : expected) {
            PrePlay();
            const int middleX = paddle->GetXPos() + boxMiddle[row.box % 6];
            SCOPED_TRACE(testing::Message()
                         << (paddle == &myPaddle ? "bottom" : "top") << " paddle, box " << row.box);
            if (row.box < 6) {
                // The ball's bottom-middle pixel lands on the paddle's top row.
                BallArrivesAt(middleX - 4, paddle->GetYPos() - 9, 1, 2);
            } else {
                // The ball's right-middle pixel lands in the middle of the lower row.
                BallArrivesAt(middleX - 9, paddle->GetYPos() + 9, 2, -1);
            }
            PlayState();
            ExpectMoving(theBall, row.xVel, row.yVel);
        }
    }
}

TEST_F(DuelPlayTest, BallTouchingBoxesTwoAndThreeTakesTheHigherBox) {
    // Left-middle pixel (342, 442) in box 2, right-middle (351, 442) in box 3.
    BallArrivesAt(342, 438, 2, 2);
    PlayState();
    ExpectMoving(theBall, 2, -6);

    // The same on the top paddle's lower row: boxes 8 and 9, box 9 decides.
    PrePlay();
    BallArrivesAt(342, 49, -2, -2);
    PlayState();
    ExpectMoving(theBall, 2, 6);
}

TEST_F(DuelPlayTest, BallMeetingTheBottomPaddlesLowerHalfIsSentDownForPlayerTwosPoint) {
    // From the side: right-middle pixel (321, 452) in box 6 only.
    BallArrivesAt(312, 448, 3, 0);
    PlayState();
    ExpectMoving(theBall, -6, 2);

    int frames = 0;
    while (otherScore == 0 && frames < 20) {
        PlayState();
        ++frames;
    }
    EXPECT_EQ(otherScore, 1);
    EXPECT_EQ(myScore, 0);
}

TEST_F(DuelPlayTest, BallTouchingOnlyThePaddlesRightmostFourColumnsIsNotDeflected) {
    // Left-middle pixel at column 377: offsets 56 to 59 of the paddle belong to no box.
    BallArrivesAt(377, 440, 0, 1);
    PlayState();
    ExpectMoving(theBall, 0, 1);
    ExpectAt(theBall, 377, 440);
}

// ---- Side walls ----

TEST_F(DuelPlayTest, BallTouchingASideWallStepsBackAndReversesAcross) {
    theBall.SetBothPos(18, 200);
    theBall.SetBothVel(-6, 3);
    PlayState();
    ExpectAt(theBall, 18, 200);
    ExpectMoving(theBall, 6, 3);
    PlayState();
    ExpectAt(theBall, 24, 203);

    // The right wall begins at column 625.
    theBall.SetBothPos(613, 300);
    theBall.SetBothVel(4, -5);
    PlayState();
    ExpectAt(theBall, 613, 300);
    ExpectMoving(theBall, -4, -5);
}

TEST_F(DuelPlayTest, BallHitByPaddleAtTheWallStepsBackByItsNewVelocity) {
    myPaddle.SetBothPos(14, 440);
    // At (12, 432) the ball's left pixel is in the wall and its bottom pixel on box 0.
    BallArrivesAt(12, 432, -2, 1);
    PlayState();
    // Box 0 gives (-6, -2); stepping back by that lands at (18, 434), then x reverses.
    ExpectAt(theBall, 18, 434);
    ExpectMoving(theBall, 6, -2);
}

// ---- Points ----

TEST_F(DuelPlayTest, BallAtTopWallScoresForPlayerOneAndIsServedSlowlyDown) {
    BallArrivesAt(100, 12, 0, -4);
    PlayState();
    EXPECT_EQ(myScore, 1);
    EXPECT_EQ(otherScore, 0);
    ExpectAt(theBall, 320, 240);
    ExpectMoving(theBall, 0, 1);
    PlayState();
    ExpectAt(theBall, 320, 241);

    BallArrivesAt(600, 13, 4, -2);
    PlayState();
    EXPECT_EQ(myScore, 2);
    EXPECT_EQ(otherScore, 0);
}

TEST_F(DuelPlayTest, BallAtBottomWallScoresForPlayerTwoAndIsServedSlowlyUp) {
    // Bottom-middle pixel on row 466.
    BallArrivesAt(100, 457, 0, 4);
    PlayState();
    EXPECT_EQ(otherScore, 1);
    EXPECT_EQ(myScore, 0);
    ExpectAt(theBall, 320, 240);
    ExpectMoving(theBall, 0, -1);
    PlayState();
    ExpectAt(theBall, 320, 239);
}

// ---- Steering and the paddle clamps ----

TEST_F(DuelPlayTest, HeldKeySpeedsThePaddleUpToSevenAndReleasedItGlidesToAStop) {
    HoldKey(SDLK_LEFT);
    HoldKey(SDLK_x);
    const int held[] = {1, 2, 3, 4, 5, 6, 7, 7, 7};
    int myX = 320;
    int otherX = 320;
    for (int step : held) {
        PlayState();
        myX -= step;
        otherX += step;
        ASSERT_EQ(myPaddle.GetXPos(), myX);
        ASSERT_EQ(otherPaddle.GetXPos(), otherX);
    }
    ReleaseAllKeys();
    const int gliding[] = {6, 5, 4, 3, 2, 1, 0, 0};
    for (int step : gliding) {
        PlayState();
        myX -= step;
        otherX += step;
        ASSERT_EQ(myPaddle.GetXPos(), myX);
        ASSERT_EQ(otherPaddle.GetXPos(), otherX);
    }
    EXPECT_EQ(myPaddle.GetYPos(), 440);
    EXPECT_EQ(otherPaddle.GetYPos(), 40);
}

TEST_F(DuelPlayTest, PaddlesSteeredIntoTheLeftWallStopAtFourteenAndKeepPushing) {
    HoldKey(SDLK_LEFT);
    HoldKey(SDLK_z);
    PlayFrames(60);
    for (int frame = 0; frame < 10; ++frame) {
        PlayState();
        ASSERT_EQ(myPaddle.GetXPos(), 14) << "frame " << frame;
        ASSERT_EQ(otherPaddle.GetXPos(), 14) << "frame " << frame;
    }
    EXPECT_EQ(myPaddle.GetXVel(), -7);
    EXPECT_EQ(otherPaddle.GetXVel(), -7);
}

TEST_F(DuelPlayTest, PaddlesSteeredIntoTheRightWallArePutBackTo565) {
    HoldKey(SDLK_RIGHT);
    HoldKey(SDLK_x);
    PlayFrames(60);
    for (int frame = 0; frame < 10; ++frame) {
        PlayState();
        ASSERT_EQ(myPaddle.GetXPos(), 565) << "frame " << frame;
        ASSERT_EQ(otherPaddle.GetXPos(), 565) << "frame " << frame;
    }
    EXPECT_EQ(myPaddle.GetXVel(), 7);
}

TEST_F(DuelPlayTest, PaddleIsPutBackOnlyWhenItsBoxesReachTheRightWall) {
    // At 569 the boxes end at column 624; only the boxless strip lies on the wall.
    myPaddle.SetBothPos(569, 440);
    otherPaddle.SetBothPos(570, 40);
    PlayState();
    EXPECT_EQ(myPaddle.GetXPos(), 569);
    EXPECT_EQ(otherPaddle.GetXPos(), 565);
}

TEST_F(DuelPlayTest, BothKeysOfAPairHeldLetThePaddleCoastToAStop) {
    HoldKey(SDLK_LEFT);
    HoldKey(SDLK_RIGHT);
    PlayFrames(5);
    EXPECT_EQ(myPaddle.GetXPos(), 320) << "a paddle at rest stays put";

    ReleaseAllKeys();
    HoldKey(SDLK_RIGHT);
    HoldKey(SDLK_x);
    PlayFrames(10);
    ASSERT_EQ(myPaddle.GetXVel(), 7);
    ASSERT_EQ(otherPaddle.GetXVel(), 7);
    HoldKey(SDLK_LEFT);
    HoldKey(SDLK_z);
    // Left is applied before Right, so the top speed drops by one each frame.
    for (int expected : {6, 5, 4, 3, 2, 1, 0, 0}) {
        const int myX = myPaddle.GetXPos();
        const int otherX = otherPaddle.GetXPos();
        PlayState();
        ASSERT_EQ(myPaddle.GetXPos() - myX, expected);
        ASSERT_EQ(otherPaddle.GetXPos() - otherX, expected);
    }
}

// ---- Events ----

TEST_F(DuelPlayTest, PauseKeysPushThePauseScreenAfterTheFrameIsPlayed) {
    for (SDLKey key : {SDLK_p, SDLK_ESCAPE}) {
        SCOPED_TRACE(key == SDLK_p ? "P" : "Escape");
        EmptyStateStack();
        PushState(MenuState);
        PushState(PlayState);
        PrePlay();
        PushKeyDown(key);
        PlayState();
        ASSERT_EQ(StateStack.size(), 3u);
        EXPECT_EQ(StateStack.top().statePointer, PauseState);
        ExpectAt(theBall, 320, 243);
        EXPECT_TRUE(AreaIs(screen, 320, 243, 10, 10, WHITE)) << "the frame is still drawn";
    }
}

TEST_F(DuelPlayTest, QuitRequestEmptiesTheStackAfterTheFrameIsPlayedAndDrawn) {
    PushQuit();
    PlayState();
    EXPECT_TRUE(StateStack.empty());
    ExpectAt(theBall, 320, 243);
    EXPECT_TRUE(AreaIs(screen, 320, 243, 10, 10, WHITE));
}

TEST_F(DuelPlayTest, EachFrameTakesOneEventAndOtherEventsOnlyUseUpTheirFrame) {
    PushKeyUp(SDLK_p);
    PushMouseMotion();
    PushKeyDown(SDLK_a);
    PushKeyDown(SDLK_LEFT);
    PushKeyDown(SDLK_p);
    PushQuit();
    PlayFrames(4);
    EXPECT_EQ(StateStack.size(), 2u);
    EXPECT_EQ(StateStack.top().statePointer, PlayState);
    EXPECT_EQ(PendingEvents(), 2);
    ExpectAt(theBall, 320, 252);
    EXPECT_EQ(myPaddle.GetXPos(), 320) << "a key press steers nothing: only held keys do";

    PlayState();
    EXPECT_EQ(StateStack.top().statePointer, PauseState);
    EXPECT_EQ(PendingEvents(), 1) << "the quit request waits for the next frame";
    PlayState();
    EXPECT_TRUE(StateStack.empty());
}

}  // namespace
