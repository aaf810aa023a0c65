// The lives and score lines are kept from frame to frame while they read the same; these
// tests hold every frame's lines to the text rendered afresh, whatever changed in between.
#include <string>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "shell/globals.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/support/wall_text.h"

namespace {

const SDL_Rect TOP_WALL = {0, 0, 639, 20};
const SDL_Rect BOTTOM_WALL = {0, 459, 639, 20};
const SDL_Color GREY = {125, 125, 125, 0};

class WallLinesTest : public PlayScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlayScreenTest::SetUp());
        myPaddle.SetBothSize(72, 20);
        myPaddle.SetBothPos(320, 440);
        theBall.SetBothSize(13, 13);
        theBall.SetBothPos(350, 428);
        theBricks.clear();
        lives = 10;
        score = 0;
        hiScore = 0;
    }

    void TearDown() override {
        textColor2 = GREY;
        PlayScreenTest::TearDown();
    }

    void ExpectFrameShows(const std::string& after) {
        DrawGame();
        ExpectWallShows("Lives: " + std::to_string(lives), BOTTOM_WALL, after);
        ExpectWallShows(
            "Score: " + std::to_string(score) + "   ---   High Score: " + std::to_string(hiScore),
            TOP_WALL, after);
    }
};

TEST_F(WallLinesTest, EachFrameShowsTheLivesAndScoreOfThatFrame) {
    ExpectFrameShows("the first frame");
    ExpectFrameShows("a frame where nothing changed");
    lives = 9;
    ExpectFrameShows("a lost ball");
    score = 1;
    hiScore = 1;
    ExpectFrameShows("a point");
    lives = 10;
    score = 0;
    ExpectFrameShows("a new game");
    lives = 0;
    score = 12345;
    hiScore = 12345;
    ExpectFrameShows("a long game");
}

TEST_F(WallLinesTest, AnotherFontOrTextColourShowsInTheNextFrame) {
    lives = 7;
    score = 3;
    ExpectFrameShows("the first frame");

    // A font closed and another opened may come back at the same address.
    TTF_CloseFont(arialFont1);
    arialFont1 = TTF_OpenFont(GameFile("impact.ttf").c_str(), 14);
    ASSERT_NE(arialFont1, nullptr);
    ExpectFrameShows("another face");
    TTF_CloseFont(arialFont1);
    arialFont1 = TTF_OpenFont(GameFile("arial.ttf").c_str(), 12);
    ASSERT_NE(arialFont1, nullptr);
    ExpectFrameShows("a smaller font");
    TTF_SetFontStyle(arialFont1, TTF_STYLE_BOLD);
    ExpectFrameShows("a bold font");

    textColor2 = {40, 90, 200, 0};
    ExpectFrameShows("another text colour");
}

TEST_F(WallLinesTest, LinesLeftOutForWantOfAFontComeBackWithIt) {
    ExpectFrameShows("the first frame");
    TTF_Font* font = arialFont1;
    arialFont1 = nullptr;
    DrawGame();
    EXPECT_TRUE(AreaIs(display, 0, 459, 639, 20, WHITE)) << "a line without a font";
    EXPECT_TRUE(AreaIs(display, 0, 0, 639, 20, WHITE)) << "a line without a font";
    arialFont1 = font;
    ExpectFrameShows("the font came back");
}

}  // namespace
