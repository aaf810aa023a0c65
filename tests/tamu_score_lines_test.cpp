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

using namespace tamu;

namespace {

const SDL_Rect TOP_WALL = {0, 0, 639, 14};
const SDL_Rect BOTTOM_WALL = {0, 465, 639, 14};

// The three sprites well away from the walls, so that the walls hold nothing but the lines.
class ScoreLinesTest : public PlayScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlayScreenTest::SetUp());
        ZEM_UseGame(GAME);
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

TEST_F(ScoreLinesTest, EachFrameShowsTheScoresOfThatFrameInGrey) {
    ExpectFrameShows("the first frame");
    const SDL_Color grey = {125, 125, 125, 0};
    EXPECT_TRUE(WallText(arialFont1, "Player Two   ---   Score: 000000", grey)
                    .ShownOn(display, TOP_WALL, 639));
    ExpectFrameShows("a frame where nothing changed");
    myScore = 1;
    ExpectFrameShows("a point for player one");
    otherScore = 1;
    ExpectFrameShows("a point for player two");
    myScore = 123;
    ExpectFrameShows("a long duel");
    myScore = 7;
    ExpectFrameShows("a shorter line after a longer one");
    myScore = 0;
    otherScore = 0;
    ExpectFrameShows("a new duel");
}

}  // namespace
