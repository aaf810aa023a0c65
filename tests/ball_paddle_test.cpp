#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "tests/support/sdl_test.h"
#include "things/ball.h"
#include "things/paddle.h"

// Each program sets its own steering limit; these tests start from brixolan's and switch to
// tamu's where they play tamu.
int Paddle::speedLimit = 4;

namespace {

const int BRIXOLAN_LIMIT = 4;
const int TAMU_LIMIT = 8;

struct Expected {
    int x;
    int y;
    int w;
    int h;
};

void ExpectBoxes(CollidableThing& thing, const std::vector<Expected>& expected) {
    const std::vector<SDL_Rect>& boxes = thing.GetCollisionBoxes();
    ASSERT_EQ(boxes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(boxes[i].x, expected[i].x) << "box " << i;
        EXPECT_EQ(boxes[i].y, expected[i].y) << "box " << i;
        EXPECT_EQ(boxes[i].w, expected[i].w) << "box " << i;
        EXPECT_EQ(boxes[i].h, expected[i].h) << "box " << i;
    }
}

// Two rows of six boxes at the given column offsets and widths, upper row first.
void ExpectPaddleRows(Paddle& paddle, int x, int y, const std::vector<int>& offsets,
                      const std::vector<int>& widths, int rowHeight) {
    std::vector<Expected> expected;
    for (int row = 0; row < 2; ++row) {
        for (std::size_t i = 0; i < offsets.size(); ++i) {
            expected.push_back({x + offsets[i], y + row * rowHeight, widths[i], rowHeight});
        }
    }
    ExpectBoxes(paddle, expected);
}

void Place(MobileThing& thing, int x, int y, int w, int h) {
    thing.SetBothPos(x, y);
    thing.SetBothSize(w, h);
}

enum Steer { HOLD_LEFT, HOLD_RIGHT, NO_KEY };

// One frame as play runs it: steering step, friction, move. Gives the distance moved.
int PlayFrame(Paddle& paddle, Steer steer) {
    if (steer == HOLD_LEFT) {
        paddle.Left();
    } else if (steer == HOLD_RIGHT) {
        paddle.Right();
    }
    paddle.Friction();
    const int before = paddle.GetXPos();
    paddle.UpdateLocation();
    return paddle.GetXPos() - before;
}

std::vector<int> PlayFrames(Paddle& paddle, Steer steer, int frames) {
    std::vector<int> moves;
    for (int i = 0; i < frames; ++i) {
        moves.push_back(PlayFrame(paddle, steer));
    }
    return moves;
}

// A paddle velocity after one operation, starting from a given velocity.
int AfterLeft(int xVel) {
    Paddle paddle;
    paddle.SetBothVel(xVel, 0);
    paddle.Left();
    return paddle.GetXVel();
}

int AfterRight(int xVel) {
    Paddle paddle;
    paddle.SetBothVel(xVel, 0);
    paddle.Right();
    return paddle.GetXVel();
}

int AfterFriction(int xVel) {
    Paddle paddle;
    paddle.SetBothVel(xVel, 0);
    paddle.Friction();
    return paddle.GetXVel();
}

class PaddleSteering : public ::testing::Test {
protected:
    void SetUp() override { savedLimit = Paddle::speedLimit; }
    void TearDown() override { Paddle::speedLimit = savedLimit; }

    void PlayBrixolan() { Paddle::speedLimit = BRIXOLAN_LIMIT; }
    void PlayTamu() { Paddle::speedLimit = TAMU_LIMIT; }

private:
    int savedLimit = 0;
};

class ThingDrawing : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        FillRect(display, 0, 0, 640, 480, GROUND);
    }

    const Rgb GROUND{0, 90, 0};
};

}  // namespace

TEST(BallBoxes, SidePointsOfBothGamesBalls) {
    Ball ball;
    Place(ball, 100, 198, 13, 13);
    ball.SetCollBoxes();
    ExpectBoxes(ball, {{100, 204, 1, 1}, {106, 198, 1, 1}, {112, 204, 1, 1}, {106, 210, 1, 1}});

    // An even-sized ball's middles lean up and left.
    Place(ball, 50, 60, 10, 10);
    ball.SetCollBoxes();
    ExpectBoxes(ball, {{50, 64, 1, 1}, {54, 60, 1, 1}, {59, 64, 1, 1}, {54, 69, 1, 1}});
}

TEST(BallBoxes, RebuildingFollowsTheBallAndReplacesTheOldBoxes) {
    Ball ball;
    Place(ball, 100, 198, 13, 13);
    ball.SetCollBoxes();
    ball.SetBothVel(-3, 4);
    ball.UpdateLocation();
    EXPECT_EQ(ball.GetCollisionBoxes()[0].x, 100) << "boxes moved before being rebuilt";
    ball.SetCollBoxes();
    ExpectBoxes(ball, {{97, 208, 1, 1}, {103, 202, 1, 1}, {109, 208, 1, 1}, {103, 214, 1, 1}});
}

TEST(PaddleBoxes, BothGamesPaddlesAreCutIntoEighthsAndQuartersInTwoRows) {
    Paddle paddle;
    Place(paddle, 320, 440, 72, 20);
    paddle.SetCollBoxes();
    ExpectPaddleRows(paddle, 320, 440, {0, 9, 27, 36, 45, 63}, {9, 18, 9, 9, 18, 9}, 10);

    // In tamu the boxes end at column offset 55, four columns short of the right end.
    Place(paddle, 100, 20, 60, 18);
    paddle.SetCollBoxes();
    ExpectPaddleRows(paddle, 100, 20, {0, 7, 21, 28, 35, 49}, {7, 14, 7, 7, 14, 7}, 9);
}

TEST(PaddleBoxes, BallOnTamusRightmostStripMissesThePaddle) {
    Paddle paddle;
    Place(paddle, 100, 440, 60, 18);
    paddle.SetCollBoxes();
    Ball ball;
    std::vector<CollData> segments;

    // The ball's left point on column 156 (offset 56): no box is there.
    Place(ball, 156, 440, 10, 10);
    ball.SetCollBoxes();
    EXPECT_FALSE(paddle.HasCollided(ball.GetCollisionBoxes(), &segments, nullptr));
    ASSERT_EQ(segments.size(), 12u);

    // One column further left it touches the outer eighth of the upper row.
    Place(ball, 155, 440, 10, 10);
    ball.SetCollBoxes();
    EXPECT_TRUE(paddle.HasCollided(ball.GetCollisionBoxes(), &segments, nullptr));
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(segments[i].collided, i == 5) << "segment " << i;
    }
}

TEST(PaddleBoxes, BallOnTheLowerHalfTouchesTheLowerRow) {
    Paddle paddle;
    Place(paddle, 320, 440, 72, 20);
    paddle.SetCollBoxes();
    Ball ball;
    // Top point at (324, 452) on the outer eighth, right point at (330, 458) on the next
    // quarter, both in the lower row; the left and bottom points are off the paddle.
    Place(ball, 318, 452, 13, 13);
    ball.SetCollBoxes();
    std::vector<CollData> segments;
    EXPECT_TRUE(paddle.HasCollided(ball.GetCollisionBoxes(), &segments, nullptr));
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(segments[i].collided, i == 7 || i == 6) << "segment " << i;
    }
}

TEST_F(PaddleSteering, BrixolanPaddleGathersSpeedToThreeAndGlidesToRest) {
    PlayBrixolan();
    Paddle paddle;
    Place(paddle, 320, 440, 72, 20);
    EXPECT_EQ(PlayFrames(paddle, HOLD_RIGHT, 6), (std::vector<int>{1, 2, 3, 3, 3, 3}));
    EXPECT_EQ(PlayFrames(paddle, NO_KEY, 4), (std::vector<int>{2, 1, 0, 0}));
    EXPECT_EQ(paddle.GetXPos(), 320 + 15 + 3);
    EXPECT_EQ(PlayFrames(paddle, HOLD_LEFT, 5), (std::vector<int>{-1, -2, -3, -3, -3}));
    EXPECT_EQ(paddle.GetYPos(), 440) << "steering moved the paddle up or down";
}

TEST_F(PaddleSteering, TamuPaddleGathersSpeedToSevenAndGlidesToRest) {
    PlayTamu();
    Paddle paddle;
    Place(paddle, 300, 20, 60, 18);
    EXPECT_EQ(PlayFrames(paddle, HOLD_LEFT, 9),
              (std::vector<int>{-1, -2, -3, -4, -5, -6, -7, -7, -7}));
    EXPECT_EQ(PlayFrames(paddle, NO_KEY, 8), (std::vector<int>{-6, -5, -4, -3, -2, -1, 0, 0}));
    PlayFrames(paddle, HOLD_RIGHT, 10);
    EXPECT_EQ(paddle.GetXVel(), 7);
}

TEST_F(PaddleSteering, SteeringStopsAtTheProgramsLimit) {
    PlayBrixolan();
    EXPECT_EQ(AfterLeft(-3), -4);
    EXPECT_EQ(AfterLeft(-4), -4);
    EXPECT_EQ(AfterRight(3), 4);
    EXPECT_EQ(AfterRight(4), 4);
    EXPECT_EQ(AfterLeft(0), -2);
    EXPECT_EQ(AfterLeft(4), 2) << "turning round steps by 2 like any other press";
    EXPECT_EQ(AfterRight(-4), -2);

    PlayTamu();
    EXPECT_EQ(AfterRight(7), 8);
    EXPECT_EQ(AfterRight(8), 8);
    EXPECT_EQ(AfterLeft(-7), -8);
    EXPECT_EQ(AfterLeft(-4), -6) << "brixolan's limit applied in tamu";

    Paddle paddle;
    paddle.SetBothVel(0, -3);
    paddle.Left();
    paddle.Friction();
    paddle.Right();
    EXPECT_EQ(paddle.GetYVel(), -3) << "steering changed the vertical speed";
}

TEST(PaddleFriction, SlowsByOneTowardsRestWithoutPassingIt) {
    EXPECT_EQ(AfterFriction(1), 0);
    EXPECT_EQ(AfterFriction(-1), 0);
    EXPECT_EQ(AfterFriction(0), 0);
    EXPECT_EQ(AfterFriction(5), 4);
    EXPECT_EQ(AfterFriction(-5), -4);
}

TEST_F(ThingDrawing, BallAndPaddlesAreWhiteRectanglesAndNothingMore) {
    Ball ball;
    Place(ball, 100, 198, 13, 13);
    ball.Show(display);
    EXPECT_TRUE(AreaIs(display, 100, 198, 13, 13, WHITE));
    EXPECT_TRUE(AreaIs(display, 99, 197, 15, 1, GROUND) && AreaIs(display, 99, 211, 15, 1, GROUND));
    EXPECT_TRUE(AreaIs(display, 99, 198, 1, 13, GROUND) &&
                AreaIs(display, 113, 198, 1, 13, GROUND));

    Paddle paddle;
    Place(paddle, 320, 440, 72, 20);
    paddle.Show(display);
    EXPECT_TRUE(AreaIs(display, 320, 440, 72, 20, WHITE));
    EXPECT_EQ(ColourAt(display, 392, 450), GROUND);
    EXPECT_EQ(ColourAt(display, 350, 460), GROUND);

    Place(paddle, 10, 20, 60, 18);
    paddle.Show(display);
    EXPECT_TRUE(AreaIs(display, 10, 20, 60, 18, WHITE)) << "the strip without boxes is drawn";
    EXPECT_EQ(ColourAt(display, 70, 30), GROUND);
}

TEST_F(ThingDrawing, ThingsPartlyOffTheScreenDrawTheirVisiblePart) {
    Ball ball;
    Place(ball, -5, 475, 13, 13);
    ball.Show(display);
    EXPECT_TRUE(AreaIs(display, 0, 475, 8, 5, WHITE));
    EXPECT_EQ(ColourAt(display, 8, 477), GROUND);
    EXPECT_EQ(ColourAt(display, 0, 474), GROUND);
    EXPECT_TRUE(AreaIs(display, 0, 0, 640, 474, GROUND)) << "a clipped fill spilled elsewhere";

    Paddle paddle;
    Place(paddle, 600, -10, 72, 20);
    paddle.Show(display);
    EXPECT_TRUE(AreaIs(display, 600, 0, 40, 10, WHITE));
    EXPECT_EQ(ColourAt(display, 599, 5), GROUND);
    EXPECT_EQ(ColourAt(display, 620, 10), GROUND);
}
