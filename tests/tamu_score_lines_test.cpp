// The score lines are kept from frame to frame while they read the same; these tests hold
// every frame's lines to the text rendered afresh, whatever changed in between.
#include <string>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "framework/surface.h"
#include "shell/globals.h"
#include "tamu/draw.h"
#include "tamu/game.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/support/wall_text.h"

namespace {

const SDL_Rect TOP_WALL = {0, 0, 639, 14};
const SDL_Rect BOTTOM_WALL = {0, 465, 639, 14};
const SDL_Color GREY = {125, 125, 125, 0};

// The three sprites well away from the walls, so that the walls hold nothing but the lines.
class ScoreLinesTest : public PlayScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlayScreenTest::SetUp());
        FillRect(display, 0, 0, 640, 480, CYAN);
        myPaddle.SetBothSize(60, 18);
        myPaddle.SetBothPos(320, 440);
        otherPaddle.SetBothSize(60, 18);
        otherPaddle.SetBothPos(320, 40);
        theBall.SetBothSize(10, 10);
        theBall.SetBothPos(320, 240);
        myScore = 0;
        otherScore = 0;
    }

    void TearDown() override {
        theBall.ReturnShot();
        myPaddle.ReturnShot();
        otherPaddle.ReturnShot();
        textColor2 = GREY;
        PlayScreenTest::TearDown();
    }

    void ExpectFrameShows(const std::string& after) {
        DrawGame();
        ExpectWallShows("Player One   ---   Score: 00000" + std::to_string(myScore), BOTTOM_WALL,
                        after);
        ExpectWallShows("Player Two   ---   Score: 00000" + std::to_string(otherScore), TOP_WALL,
                        after);
    }
};

TEST_F(ScoreLinesTest, EachFrameShowsTheScoresOfThatFrame) {
    ExpectFrameShows("the first frame");
    ExpectFrameShows("a frame where nothing changed");
    myScore = 1;
    ExpectFrameShows("a point for player one");
    otherScore = 1;
    ExpectFrameShows("a point for player two");
    myScore = 0;
    otherScore = 0;
    ExpectFrameShows("a new duel");
    myScore = 123;
    ExpectFrameShows("a long duel");
}

TEST_F(ScoreLinesTest, AnotherFontOrTextColourShowsInTheNextFrame) {
    ExpectFrameShows("the first frame");
    TTF_CloseFont(arialFont1);
    arialFont1 = TTF_OpenFont(GameFile("impact.ttf").c_str(), 12);
    ASSERT_NE(arialFont1, nullptr);
    ExpectFrameShows("another face");
    TTF_SetFontStyle(arialFont1, TTF_STYLE_UNDERLINE);
    ExpectFrameShows("an underlined font");
    textColor2 = {200, 60, 10, 0};
    ExpectFrameShows("another text colour");
}

}  // namespace
