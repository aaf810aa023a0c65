#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/sound_log.h"
#include "tests/tamu_duel_fixture.h"

using namespace tamu;

namespace {

using Motion = std::array<int, 4>;  // x, y, x velocity, y velocity

Motion BallMotion() {
    return {theBall.GetXPos(), theBall.GetYPos(), theBall.GetXVel(), theBall.GetYVel()};
}

// The new duel, with ways to steer the ball and play on.
class DuelPlayTest : public DuelTest {
protected:
    // Puts the ball where the next frame's move will take it to, with this velocity.
    static void BallArrivesAt(const Motion& arrival) {
        const auto [x, y, xVel, yVel] = arrival;
        theBall.SetBothPos(x - xVel, y - yVel);
        theBall.SetBothVel(xVel, yVel);
    }

    static void PlayFrames(int count) {
        for (int frame = 0; frame < count; ++frame) {
            PlayState();
        }
    }
};

using Placement = std::array<int, 6>;  // x, y, width, height, x velocity, y velocity

Placement PlacementOf(const MobileThing& thing) {
    return {thing.GetXPos(),  thing.GetYPos(), thing.GetXSize(),
            thing.GetYSize(), thing.GetXVel(), thing.GetYVel()};
}

// ---- A new duel ----

TEST_F(DuelPlayTest, NewDuelServesStraightDownFromTheMiddleWithBothScoresAtZero) {
    myScore = 4;
    otherScore = 9;
    theBall.SetBothPos(17, 17);
    myPaddle.SetBothVel(5, 0);
    clock.Advance(500);

    PrePlay();

    EXPECT_EQ(PlacementOf(myPaddle), (Placement{320, 440, 60, 18, 0, 0}));
    EXPECT_EQ(PlacementOf(otherPaddle), (Placement{320, 40, 60, 18, 0, 0}));
    EXPECT_EQ(PlacementOf(theBall), (Placement{320, 240, 10, 10, 0, 3}));
    EXPECT_EQ(myScore, 0);
    EXPECT_EQ(otherScore, 0);
    EXPECT_EQ(lastFrame, 500u) << "the first frame is paced from the start of the duel";
}

// ---- Deflection by the paddles ----

// Every box of either paddle. The upper row is met from above by the ball's bottom-middle
// pixel alone; the lower row from the left by the ball's right-middle pixel, while its
// top-middle pixel may touch a box further left, which must not decide.
TEST_F(DuelPlayTest, EveryBoxOfEitherPaddleGivesTheBallItsOwnVelocity) {
    const int velocities[12][2] = {{-6, -2}, {-4, -4}, {-2, -6}, {2, -6}, {4, -4}, {6, -2},
                                   {-6, 2},  {-4, 4},  {-2, 6},  {2, 6},  {4, 4},  {6, 2}};
    // The middle column of each box of a row, from the paddle's left edge.
    const int boxMiddle[6] = {3, 14, 24, 31, 42, 52};
    for (Paddle* paddle : {&myPaddle, &otherPaddle}) {
        for (int box = 0; box < 12; ++box) {
            SCOPED_TRACE(testing::Message()
                         << (paddle == &myPaddle ? "bottom" : "top") << " paddle, box " << box);
            PrePlay();
            const int middleX = paddle->GetXPos() + boxMiddle[box % 6];
            // The bottom-middle pixel on the top row, or the right-middle one on the lower row.
            const Motion arrival = box < 6 ? Motion{middleX - 4, paddle->GetYPos() - 9, 1, 2}
                                           : Motion{middleX - 9, paddle->GetYPos() + 9, 2, -1};
            BallArrivesAt(arrival);
            PlayState();
            EXPECT_EQ(BallMotion(),
                      (Motion{arrival[0], arrival[1], velocities[box][0], velocities[box][1]}));
        }
    }
}

// One frame of the ball meeting a paddle or a side wall: where the ball arrives, the bottom
// paddle's place, and the ball's place and velocity after the frame.
struct Meeting {
    const char* what;
    Motion arrives;
    int myPaddleX;
    Motion after;
};

const Meeting MEETINGS[] = {
    // Left-middle pixel (342, 442) in box 2, right-middle (351, 442) in box 3.
    {"boxes 2 and 3: box 3 decides", {342, 438, 2, 2}, 320, {342, 438, 2, -6}},
    {"the top paddle's boxes 8 and 9: box 9 decides", {342, 49, -2, -2}, 320, {342, 49, 2, 6}},
    // From the side: right-middle pixel (321, 452) in box 6 only, so the ball goes down.
    {"the bottom paddle's lower half", {312, 448, 3, 0}, 320, {312, 448, -6, 2}},
    // Left-middle pixel at column 377: offsets 56 to 59 of the paddle belong to no box.
    {"the paddle's rightmost four columns", {377, 440, 0, 1}, 320, {377, 440, 0, 1}},
    // Side walls: a step back, then the ball reverses across and keeps its y velocity.
    {"the left wall", {12, 203, -6, 3}, 320, {18, 200, 6, 3}},
    {"the right wall, from column 625", {617, 295, 4, -5}, 320, {613, 300, -4, -5}},
    // Left pixel in the wall, bottom pixel on box 0, which gives (-6, -2): the step back is
    // by that velocity, to (18, 434), then x reverses.
    {"a paddle against the wall", {12, 432, -2, 1}, 14, {18, 434, 6, -2}},
};

TEST_F(DuelPlayTest, BallMeetingAPaddleOrASideWall) {
    for (const Meeting& meeting : MEETINGS) {
        SCOPED_TRACE(meeting.what);
        PrePlay();
        myPaddle.SetBothPos(meeting.myPaddleX, 440);
        BallArrivesAt(meeting.arrives);
        PlayState();
        EXPECT_EQ(BallMotion(), meeting.after);
    }
}

// ---- Points ----

// The ball at the wall behind a paddle is the other player's point, served slowly from the
// middle towards the scorer.
TEST_F(DuelPlayTest, BallAtAnEndWallScoresForTheOtherPlayerAndIsServedTowardsTheScorer) {
    struct Point {
        const char* wall;
        Motion arrives;  // its top or bottom pixel on the wall
        int myScore, otherScore, serveYVel;
    };
    const Point points[] = {
        {"top", {100, 12, 0, -4}, 1, 0, 1},
        {"bottom", {100, 457, 0, 4}, 1, 1, -1},
        {"top again, off to the side", {600, 13, 4, -2}, 2, 1, 1},
    };
    for (const Point& point : points) {
        SCOPED_TRACE(point.wall);
        BallArrivesAt(point.arrives);
        PlayState();
        EXPECT_EQ(myScore, point.myScore);
        EXPECT_EQ(otherScore, point.otherScore);
        EXPECT_EQ(BallMotion(), (Motion{320, 240, 0, point.serveYVel}));
        PlayState();
        EXPECT_EQ(theBall.GetYPos(), 240 + point.serveYVel);
    }
}

// ---- Sounds ----

// What one frame is heard to do: where the ball arrives, and the bottom paddle's place.
struct HeardFrame {
    const char* what;
    Motion arrives;
    int myPaddleX;
    std::vector<ZemSound> heard;
};

const HeardFrame HEARD_FRAMES[] = {
    {"nothing touched", {300, 300, 0, 3}, 320, {}},
    {"the bottom paddle", {342, 438, 2, 2}, 320, {SOUND_PADDLE}},
    {"the top paddle", {342, 49, -2, -2}, 320, {SOUND_PADDLE}},
    {"the paddle's rightmost four columns", {377, 440, 0, 1}, 320, {}},
    {"a side wall", {12, 203, -6, 3}, 320, {SOUND_WALL}},
    {"a paddle against the wall", {12, 432, -2, 1}, 14, {SOUND_PADDLE, SOUND_WALL}},
    {"the top wall: player one's point", {100, 12, 0, -4}, 320, {SOUND_POINT_PLAYER_ONE}},
    {"the bottom wall: player two's point", {100, 457, 0, 4}, 320, {SOUND_POINT_PLAYER_TWO}},
};

TEST_F(DuelPlayTest, EachFrameIsHeardForWhatTheBallMet) {
    SoundLog sounds;
    for (const HeardFrame& frame : HEARD_FRAMES) {
        SCOPED_TRACE(frame.what);
        PrePlay();
        myPaddle.SetBothPos(frame.myPaddleX, 440);
        BallArrivesAt(frame.arrives);
        PlayState();
        EXPECT_EQ(sounds.Take(), frame.heard);
    }
}

// ---- Steering and the paddle clamps ----

// Left steers the bottom paddle left and Z the top one; Right and X steer them right. A
// paddle steered into a wall is put back against it every frame and keeps pushing.
TEST_F(DuelPlayTest, PaddlesSteeredIntoTheWallsStopAtFourteenAnd565AndKeepPushing) {
    struct Steering {
        SDLKey myKey, otherKey;
        int myStop, otherStop, myXVel, otherXVel;
    };
    const Steering cases[] = {{SDLK_LEFT, SDLK_x, 14, 565, -7, 7},
                              {SDLK_RIGHT, SDLK_z, 565, 14, 7, -7}};
    for (const Steering& steering : cases) {
        PrePlay();
        ReleaseAllKeys();
        HoldKey(steering.myKey);
        HoldKey(steering.otherKey);
        PlayFrames(60);
        for (int frame = 0; frame < 10; ++frame) {
            PlayState();
            ASSERT_EQ(myPaddle.GetXPos(), steering.myStop) << "frame " << frame;
            ASSERT_EQ(otherPaddle.GetXPos(), steering.otherStop) << "frame " << frame;
        }
        EXPECT_EQ(myPaddle.GetXVel(), steering.myXVel);
        EXPECT_EQ(otherPaddle.GetXVel(), steering.otherXVel);
        EXPECT_EQ(myPaddle.GetYPos(), 440);
        EXPECT_EQ(otherPaddle.GetYPos(), 40);
    }
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

TEST_F(DuelPlayTest, PauseKeysPauseAndAQuitRequestEndsAfterTheFrameIsPlayedAndDrawn) {
    struct Event {
        const char* what;
        void (*push)();
        std::vector<void (*)()> statesAfter;
    };
    const Event events[] = {
        {"P", [] { PushKeyDown(SDLK_p); }, {MenuState, PlayState, PauseState}},
        {"Escape", [] { PushKeyDown(SDLK_ESCAPE); }, {MenuState, PlayState, PauseState}},
        {"quit", PushQuit, {}},
    };
    for (const Event& event : events) {
        SCOPED_TRACE(event.what);
        EmptyStateStack();
        PushState(MenuState);
        PushState(PlayState);
        PrePlay();
        event.push();
        PlayState();
        EXPECT_EQ(Stack(), event.statesAfter);
        EXPECT_EQ(BallMotion(), (Motion{320, 243, 0, 3}));
        EXPECT_TRUE(AreaIs(screen, 320, 243, 10, 10, WHITE)) << "the frame is still drawn";
    }
}

TEST_F(DuelPlayTest, EachFrameTakesOneEventAndOtherEventsOnlyUseUpTheirFrame) {
    PushKeyUp(SDLK_p);
    PushMouseMotion();
    PushKeyDown(SDLK_a);
    PushKeyDown(SDLK_LEFT);
    PushKeyDown(SDLK_p);
    PushQuit();
    PlayFrames(4);
    EXPECT_EQ(Stack(), (std::vector<void (*)()>{MenuState, PlayState}));
    EXPECT_EQ(PendingEvents(), 2);
    EXPECT_EQ(BallMotion(), (Motion{320, 252, 0, 3}));
    EXPECT_EQ(myPaddle.GetXPos(), 320) << "a key press steers nothing: only held keys do";

    PlayState();
    EXPECT_EQ(StateStack.top().statePointer, PauseState);
    EXPECT_EQ(PendingEvents(), 1) << "the quit request waits for the next frame";
    PlayState();
    EXPECT_TRUE(StateStack.empty());
}

}  // namespace
