#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "tests/support/sdl_test.h"
#include "things/brick.h"

namespace {

const int BRICK_WIDTH = 40;
const int BRICK_HEIGHT = 20;

// The colour a brick shows for 1 to 5 lives.
const Rgb LIVES_COLOUR[] = {{0, 0, 150}, {100, 0, 200}, {150, 0, 150}, {200, 0, 100}, {255, 0, 50}};

Brick BrickAt(int type, int x, int y) {
    return Brick(type, x, y, BRICK_WIDTH, BRICK_HEIGHT);
}

void ExpectOneBox(Brick& brick, int x, int y) {
    const std::vector<SDL_Rect>& boxes = brick.GetCollisionBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x, x);
    EXPECT_EQ(boxes[0].y, y);
    EXPECT_EQ(boxes[0].w, BRICK_WIDTH);
    EXPECT_EQ(boxes[0].h, BRICK_HEIGHT);
}

class BrickDrawing : public SdlTest {
protected:
    // Shows the brick and expects the colour on exactly the given area and nothing else.
    void ExpectShownOnlyAt(Brick& brick, int x, int y, int w, int h, Rgb colour) {
        FillRect(display, 0, 0, 640, 480, GROUND);
        brick.Show(display);
        EXPECT_TRUE(AreaIs(display, x, y, w, h, colour));
        FillRect(display, x, y, w, h, GROUND);
        EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, GROUND)) << "drawn outside its rectangle";
    }

    void ExpectNothingShown(Brick& brick) { ExpectShownOnlyAt(brick, 0, 0, 0, 0, GROUND); }

    const Rgb GROUND{0, 90, 0};
};

}  // namespace

TEST(Brick, LosesOneLifePerHitFromItsTypeDownToNoneKeepingItsBox) {
    for (int type = 1; type <= 5; ++type) {
        SCOPED_TRACE(type);
        Brick brick = BrickAt(type, 100, 60);
        ExpectOneBox(brick, 100, 60);
        for (int lives = type; lives > 0; --lives) {
            EXPECT_EQ(brick.GetLives(), lives);
            brick.LoseLife();
        }
        EXPECT_EQ(brick.GetLives(), 0);
        brick.LoseLife();
        EXPECT_EQ(brick.GetLives(), 0) << "a destroyed brick went below zero";
        ExpectOneBox(brick, 100, 60);
    }
}

// Bricks are copied into and erased from a level's list: each keeps its own box (the box list
// of any collidable thing) and lives.
TEST(Brick, CopiesAndBricksLeftInALevelKeepTheirOwnBoxAndLives) {
    Brick original = BrickAt(4, 20, 20);
    Brick copy(original);
    copy.ClearBoxes();
    copy.AddBox(300, 300, 1, 1);
    copy.LoseLife();
    ExpectOneBox(original, 20, 20);
    EXPECT_EQ(original.GetLives(), 4);
    EXPECT_EQ(copy.GetLives(), 3);

    Brick assigned = BrickAt(1, 500, 400);
    assigned = original;
    original.GetCollisionBoxes()[0].x = 0;
    ExpectOneBox(assigned, 20, 20);
    EXPECT_EQ(assigned.GetLives(), 4);

    std::vector<Brick> bricks;
    for (int column = 0; column < 4; ++column) {
        bricks.push_back(BrickAt(column + 1, 20 + column * BRICK_WIDTH, 20));
    }
    bricks.erase(bricks.begin() + 1);
    ASSERT_EQ(bricks.size(), 3u);
    ExpectOneBox(bricks[1], 100, 20);
    ExpectOneBox(bricks[2], 140, 20);
    EXPECT_EQ(bricks[1].GetLives(), 3);
    EXPECT_EQ(bricks[2].GetLives(), 4);
}

TEST_F(BrickDrawing, ColourFollowsTheLivesLeftAndADestroyedBrickDrawsNothing) {
    Brick brick = BrickAt(5, 20, 100);
    for (int lives = 5; lives >= 1; --lives) {
        SCOPED_TRACE(lives);
        ExpectShownOnlyAt(brick, 20, 100, BRICK_WIDTH, BRICK_HEIGHT, LIVES_COLOUR[lives - 1]);
        brick.LoseLife();
    }
    ExpectNothingShown(brick);
}

TEST_F(BrickDrawing, TypesOutsideOneToFiveGiveADeadBrickNeverDrawnOrHit) {
    for (int type : {0, 6, 7, 9, -1, 100}) {
        SCOPED_TRACE(type);
        Brick dead = BrickAt(type, 300, 300);
        EXPECT_EQ(dead.GetLives(), 0);
        dead.LoseLife();
        EXPECT_EQ(dead.GetLives(), 0);
        ExpectNothingShown(dead);
    }
}

TEST_F(BrickDrawing, BrickPartlyOffTheScreenDrawsItsVisiblePart) {
    Brick brick = BrickAt(5, 620, 470);
    ExpectShownOnlyAt(brick, 620, 470, 20, 10, LIVES_COLOUR[4]);
}
