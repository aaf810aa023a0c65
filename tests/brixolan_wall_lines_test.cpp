// The lives and score lines are kept from frame to frame while they read the same; these
// tests hold every frame's lines to the text rendered afresh, whatever changed in between.
#include <string>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "shell/globals.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

const SDL_Rect TOP_WALL = {0, 0, 639, 20};
const SDL_Rect BOTTOM_WALL = {0, 459, 639, 20};
const SDL_Color GREY = {125, 125, 125, 0};

class WallLinesTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        screen = display;
        arialFont1 = TTF_OpenFont(GameFile("arial.ttf").c_str(), 14);
        ASSERT_NE(arialFont1, nullptr);
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
        if (arialFont1 != nullptr) {
            TTF_CloseFont(arialFont1);
        }
        arialFont1 = nullptr;
        screen = nullptr;
        SdlTest::TearDown();
    }

    // The wall shows exactly the text rendered now in the font and colour of the moment,
    // centred across the window on the white wall.
    void ExpectWallShows(const std::string& text, const SDL_Rect& wall, const std::string& after) {
        SDL_Surface* line = TTF_RenderText_Solid(arialFont1, text.c_str(), textColor2);
        ASSERT_NE(line, nullptr);
        SDL_Surface* expected = CopyOf(display);
        FillRect(expected, wall.x, wall.y, wall.w, wall.h, WHITE);
        SDL_Rect at = {static_cast<Sint16>((640 - line->w) / 2), wall.y, 0, 0};
        SDL_BlitSurface(line, nullptr, expected, &at);
        int differing = 0;
        for (int y = wall.y; y < wall.y + wall.h; ++y) {
            for (int x = 0; x < 639; ++x) {
                differing += ColourAt(display, x, y) != ColourAt(expected, x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << "\"" << text << "\" is not shown as rendered, after " << after;
        SDL_FreeSurface(expected);
        SDL_FreeSurface(line);
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
