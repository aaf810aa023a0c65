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

void ExpectOneBox(Brick& brick, int x, int y, int w, int h) {
    const std::vector<SDL_Rect>& boxes = brick.GetCollisionBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x, x);
    EXPECT_EQ(boxes[0].y, y);
    EXPECT_EQ(boxes[0].w, w);
    EXPECT_EQ(boxes[0].h, h);
}

class BrickDrawing : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        FillRect(display, 0, 0, 640, 480, GROUND);
    }

    bool BrickShows(int x, int y, Rgb colour) {
        return AreaIs(display, x, y, BRICK_WIDTH, BRICK_HEIGHT, colour);
    }

    const Rgb GROUND{0, 90, 0};
};

}  // namespace

TEST(Brick, StartsWithAsManyLivesAsItsTypeAndOneBoxOverItself) {
    Brick brick(3, 20, 20, 40, 20);
    EXPECT_EQ(brick.GetLives(), 3);
    EXPECT_EQ(brick.GetXPos(), 20);
    EXPECT_EQ(brick.GetYPos(), 20);
    EXPECT_EQ(brick.GetXSize(), 40);
    EXPECT_EQ(brick.GetYSize(), 20);
    ExpectOneBox(brick, 20, 20, 40, 20);

    for (int type = 1; type <= 5; ++type) {
        EXPECT_EQ(BrickAt(type, 0, 0).GetLives(), type);
    }
}

TEST(Brick, LosesOneLifePerHitDownToNone) {
    Brick brick = BrickAt(2, 100, 60);
    brick.LoseLife();
    EXPECT_EQ(brick.GetLives(), 1);
    brick.LoseLife();
    EXPECT_EQ(brick.GetLives(), 0);
    brick.LoseLife();
    EXPECT_EQ(brick.GetLives(), 0) << "a destroyed brick went below zero";
    ExpectOneBox(brick, 100, 60, 40, 20);
}

TEST(Brick, TypesOutsideOneToFiveGiveADeadBrick) {
    for (int type : {0, 6, 7, 9, -1, 100}) {
        Brick brick = BrickAt(type, 60, 40);
        EXPECT_EQ(brick.GetLives(), 0) << "type " << type;
        brick.LoseLife();
        EXPECT_EQ(brick.GetLives(), 0) << "type " << type;
    }
}

TEST(Brick, CopiesKeepTheirOwnBoxAndLives) {
    Brick original = BrickAt(4, 20, 20);
    Brick copy(original);
    copy.ClearBoxes();
    copy.AddBox(300, 300, 1, 1);
    copy.LoseLife();
    ExpectOneBox(original, 20, 20, 40, 20);
    EXPECT_EQ(original.GetLives(), 4);
    EXPECT_EQ(copy.GetLives(), 3);

    Brick assigned = BrickAt(1, 500, 400);
    assigned = original;
    original.GetCollisionBoxes()[0].x = 0;
    ExpectOneBox(assigned, 20, 20, 40, 20);
    EXPECT_EQ(assigned.GetLives(), 4);
}

TEST(Brick, BricksLeftInALevelKeepTheirBoxesWhenOneIsRemoved) {
    std::vector<Brick> bricks;
    for (int column = 0; column < 4; ++column) {
        bricks.push_back(BrickAt(column + 1, 20 + column * BRICK_WIDTH, 20));
    }
    bricks.erase(bricks.begin() + 1);
    ASSERT_EQ(bricks.size(), 3u);
    ExpectOneBox(bricks[0], 20, 20, 40, 20);
    ExpectOneBox(bricks[1], 100, 20, 40, 20);
    ExpectOneBox(bricks[2], 140, 20, 40, 20);
    EXPECT_EQ(bricks[1].GetLives(), 3);
    EXPECT_EQ(bricks[2].GetLives(), 4);
}

TEST_F(BrickDrawing, EachLivesCountHasItsColour) {
    for (int lives = 1; lives <= 5; ++lives) {
        const int x = 20 + (lives - 1) * 60;
        Brick brick = BrickAt(lives, x, 100);
        brick.Show(display);
        EXPECT_TRUE(BrickShows(x, 100, LIVES_COLOUR[lives - 1])) << lives << " lives";
        EXPECT_EQ(ColourAt(display, x + BRICK_WIDTH, 110), GROUND) << lives << " lives";
        EXPECT_EQ(ColourAt(display, x + 10, 100 + BRICK_HEIGHT), GROUND) << lives << " lives";
    }
}

TEST_F(BrickDrawing, ColourFollowsTheLivesLeft) {
    Brick brick(3, 20, 20, 40, 20);
    brick.Show(display);
    EXPECT_TRUE(BrickShows(20, 20, Rgb{150, 0, 150}));
    brick.LoseLife();
    brick.Show(display);
    EXPECT_TRUE(BrickShows(20, 20, Rgb{100, 0, 200}));
    brick.LoseLife();
    brick.Show(display);
    EXPECT_TRUE(BrickShows(20, 20, Rgb{0, 0, 150}));
}

TEST_F(BrickDrawing, DeadBricksDrawNothing) {
    Brick destroyed = BrickAt(1, 200, 200);
    destroyed.LoseLife();
    destroyed.Show(display);
    EXPECT_TRUE(BrickShows(200, 200, GROUND));

    for (int type : {0, 6, -2}) {
        Brick dead = BrickAt(type, 300, 300);
        dead.Show(display);
        EXPECT_TRUE(BrickShows(300, 300, GROUND)) << "type " << type;
    }
}

TEST_F(BrickDrawing, BrickPartlyOffTheScreenDrawsItsVisiblePart) {
    Brick brick = BrickAt(5, 620, 470);
    brick.Show(display);
    EXPECT_TRUE(AreaIs(display, 620, 470, 20, 10, LIVES_COLOUR[4]));
    EXPECT_EQ(ColourAt(display, 619, 475), GROUND);
    EXPECT_EQ(ColourAt(display, 630, 469), GROUND);
}
