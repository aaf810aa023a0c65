// The lives line and the level and score line are kept from frame to frame while they read the
// same; these tests hold every frame's lines to the text rendered afresh, whatever changed in
// between.
#include <string>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "shell/globals.h"
#include "tests/brixolan_screen_fixture.h"
#include "tests/support/game_screen.h"

using namespace brixolan;

namespace {

const SDL_Rect TOP_WALL = {0, 0, 639, 20};
const SDL_Rect BOTTOM_WALL = {0, 459, 639, 20};

class WallLinesTest : public BrickScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(BrickScreenTest::SetUp());
        score = 0;
        hiScore = 0;
        level = 1;
    }

    void ExpectFrameShows(const std::string& after) {
        DrawGame();
        ExpectWallShows("Lives: " + std::to_string(lives), BOTTOM_WALL, after);
        ExpectWallShows("Level: " + std::to_string(level) +
                            "   ---   Score: " + std::to_string(score) +
                            "   ---   High Score: " + std::to_string(hiScore),
                        TOP_WALL, after);
    }
};

TEST_F(WallLinesTest, EachFrameShowsTheLivesLevelAndScoreOfThatFrameInGrey) {
    ExpectFrameShows("the first frame");
    const SDL_Color grey = {125, 125, 125, 0};
    EXPECT_TRUE(WallText(arialFont1, "Lives: 10", grey).ShownOn(display, BOTTOM_WALL, 639));
    EXPECT_TRUE(WallText(arialFont1, "Level: 1   ---   Score: 0   ---   High Score: 0", grey)
                    .ShownOn(display, TOP_WALL, 639));
    ExpectFrameShows("a frame where nothing changed");
    lives = 9;
    ExpectFrameShows("a lost ball");
    score = 1;
    hiScore = 1;
    ExpectFrameShows("a point");
    level = 2;
    ExpectFrameShows("a new level");
    lives = 10;
    score = 0;
    level = 1;
    ExpectFrameShows("a new game");
    lives = 0;
    level = 20;
    score = 12345;
    hiScore = 12345;
    ExpectFrameShows("a long game");
}

// Without its font a line is left out, but the rest of the frame is drawn all the same.
TEST_F(WallLinesTest, LinesLeftOutForWantOfAFontComeBackWithIt) {
    ExpectFrameShows("the first frame");
    TTF_Font* font = arialFont1;
    arialFont1 = nullptr;
    theBricks.push_back(Brick(2, 20, 20, 40, 20));
    DrawGame();
    EXPECT_TRUE(AreaIs(display, 0, 459, 639, 20, WHITE)) << "a line without a font";
    EXPECT_TRUE(AreaIs(display, 0, 0, 639, 20, WHITE)) << "a line without a font";
    EXPECT_TRUE(AreaIs(display, 20, 20, 40, 20, Rgb{100, 0, 200}));
    EXPECT_TRUE(AreaIs(display, 350, 428, 13, 12, WHITE));
    arialFont1 = font;
    ExpectFrameShows("the font came back");
}

}  // namespace
