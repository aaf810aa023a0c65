#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "tests/support/sdl_test.h"
#include "things/ball.h"
#include "things/paddle.h"

// Each game sets its own steering limit; the steering tests set brixolan's or tamu's.
namespace {

const int BRIXOLAN_LIMIT = 4;
const int TAMU_LIMIT = 8;

using Boxes = std::vector<std::array<int, 4>>;

// A thing's boxes as {x, y, w, h}, in order.
Boxes BoxesOf(CollidableThing& thing) {
    Boxes boxes;
    for (const SDL_Rect& box : thing.GetCollisionBoxes()) {
        boxes.push_back({box.x, box.y, box.w, box.h});
    }
    return boxes;
}

// Two rows of six boxes at the given column offsets and widths, upper row first.
Boxes PaddleRows(int x, int y, const std::vector<int>& offsets, const std::vector<int>& widths,
                 int rowHeight) {
    Boxes boxes;
    for (int row = 0; row < 2; ++row) {
        for (std::size_t i = 0; i < offsets.size(); ++i) {
            boxes.push_back({x + offsets[i], y + row * rowHeight, widths[i], rowHeight});
        }
    }
    return boxes;
}

void Place(MobileThing& thing, int x, int y, int w, int h) {
    thing.SetBothPos(x, y);
    thing.SetBothSize(w, h);
}

enum Steer { HOLD_LEFT, HOLD_RIGHT, NO_KEY };

// Frames as play runs them: steering step, friction, move. Gives the distance of each move.
std::vector<int> PlayFrames(Paddle& paddle, Steer steer, int frames) {
    std::vector<int> moves;
    for (int i = 0; i < frames; ++i) {
        if (steer == HOLD_LEFT) {
            paddle.Left();
        } else if (steer == HOLD_RIGHT) {
            paddle.Right();
        }
        paddle.Friction();
        const int before = paddle.GetXPos();
        paddle.UpdateLocation();
        moves.push_back(paddle.GetXPos() - before);
    }
    return moves;
}

class PaddleSteering : public ::testing::Test {
protected:
    void SetUp() override { savedLimit = Paddle::speedLimit; }
    void TearDown() override { Paddle::speedLimit = savedLimit; }

private:
    int savedLimit = 0;
};

class ThingDrawing : public SdlTest {
protected:
    // Shows the thing and expects white on exactly the visible part of its rectangle.
    template <typename Thing>
    void ExpectWhiteOnlyAt(Thing& thing, int x, int y, int w, int h) {
        FillRect(display, 0, 0, 640, 480, GROUND);
        thing.Show(display);
        EXPECT_TRUE(AreaIs(display, x, y, w, h, WHITE));
        FillRect(display, x, y, w, h, GROUND);
        EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, GROUND)) << "drawn outside its rectangle";
    }

    const Rgb GROUND{0, 90, 0};
};

}  // namespace

TEST(BallBoxes, SidePointsOfBothGamesBallsFollowTheBallWhenRebuilt) {
    Ball ball;
    Place(ball, 100, 198, 13, 13);
    ball.SetCollBoxes();
    EXPECT_EQ(BoxesOf(ball),
              (Boxes{{100, 204, 1, 1}, {106, 198, 1, 1}, {112, 204, 1, 1}, {106, 210, 1, 1}}));

    ball.SetBothVel(-3, 4);
    ball.UpdateLocation();
    EXPECT_EQ(ball.GetCollisionBoxes()[0].x, 100) << "boxes moved before being rebuilt";
    ball.SetCollBoxes();
    EXPECT_EQ(BoxesOf(ball),
              (Boxes{{97, 208, 1, 1}, {103, 202, 1, 1}, {109, 208, 1, 1}, {103, 214, 1, 1}}));

    // An even-sized ball's middles lean up and left.
    Place(ball, 50, 60, 10, 10);
    ball.SetCollBoxes();
    EXPECT_EQ(BoxesOf(ball),
              (Boxes{{50, 64, 1, 1}, {54, 60, 1, 1}, {59, 64, 1, 1}, {54, 69, 1, 1}}));
}

TEST(PaddleBoxes, BothGamesPaddlesAreCutIntoEighthsAndQuartersInTwoRows) {
    Paddle paddle;
    Place(paddle, 320, 440, 72, 20);
    paddle.SetCollBoxes();
    EXPECT_EQ(BoxesOf(paddle),
              PaddleRows(320, 440, {0, 9, 27, 36, 45, 63}, {9, 18, 9, 9, 18, 9}, 10));

    // In tamu the boxes end at column offset 55: a ball on the four rightmost columns misses.
    Place(paddle, 100, 20, 60, 18);
    paddle.SetCollBoxes();
    EXPECT_EQ(BoxesOf(paddle),
              PaddleRows(100, 20, {0, 7, 21, 28, 35, 49}, {7, 14, 7, 7, 14, 7}, 9));
}

// The glides pass friction at 1 and then hold still at 0.
TEST_F(PaddleSteering, BrixolanPaddleGathersSpeedToThreeTurnsRoundAndGlidesToRest) {
    Paddle::speedLimit = BRIXOLAN_LIMIT;
    Paddle paddle;
    Place(paddle, 320, 440, 72, 20);
    EXPECT_EQ(PlayFrames(paddle, HOLD_RIGHT, 6), (std::vector<int>{1, 2, 3, 3, 3, 3}));
    EXPECT_EQ(PlayFrames(paddle, NO_KEY, 4), (std::vector<int>{2, 1, 0, 0}));
    EXPECT_EQ(PlayFrames(paddle, HOLD_LEFT, 5), (std::vector<int>{-1, -2, -3, -3, -3}));
    // Turning round from full speed steps by 2 like any other press.
    EXPECT_EQ(PlayFrames(paddle, HOLD_RIGHT, 4), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(paddle.GetYPos(), 440) << "steering moved the paddle up or down";
}

TEST_F(PaddleSteering, TamuPaddleGathersSpeedToSevenAndGlidesToRest) {
    Paddle::speedLimit = TAMU_LIMIT;
    Paddle paddle;
    Place(paddle, 300, 20, 60, 18);
    EXPECT_EQ(PlayFrames(paddle, HOLD_LEFT, 9),
              (std::vector<int>{-1, -2, -3, -4, -5, -6, -7, -7, -7}));
    EXPECT_EQ(PlayFrames(paddle, NO_KEY, 8), (std::vector<int>{-6, -5, -4, -3, -2, -1, 0, 0}));
    EXPECT_EQ(PlayFrames(paddle, HOLD_RIGHT, 9), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 7, 7}));
}

TEST_F(ThingDrawing, BallAndPaddlesAreWhiteRectanglesAndNothingMore) {
    Ball ball;
    Place(ball, 100, 198, 13, 13);
    ExpectWhiteOnlyAt(ball, 100, 198, 13, 13);

    Paddle paddle;
    Place(paddle, 320, 440, 72, 20);
    ExpectWhiteOnlyAt(paddle, 320, 440, 72, 20);
    Place(paddle, 10, 20, 60, 18);
    ExpectWhiteOnlyAt(paddle, 10, 20, 60, 18);
}

TEST_F(ThingDrawing, ThingsPartlyOffTheScreenDrawTheirVisiblePart) {
    Ball ball;
    Place(ball, -5, 475, 13, 13);
    ExpectWhiteOnlyAt(ball, 0, 475, 8, 5);

    Paddle paddle;
    Place(paddle, 600, -10, 72, 20);
    ExpectWhiteOnlyAt(paddle, 600, 0, 40, 10);
}
