#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "tests/brixolan_screen_fixture.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"

using namespace brixolan;

namespace {

const Rgb BRICK_COLOURS[] = {
    {0, 0, 150}, {100, 0, 200}, {150, 0, 150}, {200, 0, 100}, {255, 0, 50}};

// The ball resting on the paddle at their start places, lives 10, score 7 of a best 42.
class DrawTest : public BrickScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(BrickScreenTest::SetUp());
        score = 7;
        hiScore = 42;
        FillRect(display, 0, 0, 640, 480, CYAN);
    }
};

// The window's caption needs the video up.
class PacerTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        timer.Start();
        SDL_WM_SetCaption("Zem Brixolan", nullptr);
    }

    static std::string Caption() {
        char* title = nullptr;
        char* icon = nullptr;
        SDL_WM_GetCaption(&title, &icon);
        return title != nullptr ? title : "";
    }

    // The timer reads the game clock from 0, so the two agree.
    FakeClock clock{0};
};

}  // namespace

TEST_F(DrawTest, WhiteWallsAroundABlackFieldWithTheWindowsLastColumnAndRowBlack) {
    DrawGame();
    EXPECT_TRUE(AreaIs(display, 0, 0, 20, 479, WHITE));
    EXPECT_TRUE(AreaIs(display, 619, 0, 20, 479, WHITE));
    EXPECT_TRUE(AreaIs(display, 0, 0, 150, 20, WHITE));
    EXPECT_TRUE(AreaIs(display, 490, 0, 149, 20, WHITE));
    EXPECT_TRUE(AreaIs(display, 0, 459, 250, 20, WHITE));
    EXPECT_TRUE(AreaIs(display, 390, 459, 249, 20, WHITE));
    EXPECT_TRUE(AreaIs(display, 639, 0, 1, 480, BLACK));
    EXPECT_TRUE(AreaIs(display, 0, 479, 640, 1, BLACK));
    EXPECT_TRUE(AreaIs(display, 20, 20, 599, 408, BLACK));
}

// The ball and the paddle each lie partly under a brick, which is drawn over them.
TEST_F(DrawTest, BricksShowTheColourOfTheirLivesInTheirGridPlacesOverTheBallAndPaddle) {
    for (int lives = 1; lives <= 5; ++lives) {
        theBricks.push_back(Brick(lives, 20 + 40 * (lives - 1), 20 + 20 * (lives - 1), 40, 20));
    }
    theBricks.push_back(Brick(3, 580, 160, 40, 20));
    theBall.SetBothPos(180, 110);
    myPaddle.SetBothPos(130, 80);
    DrawGame();

    for (int lives = 1; lives <= 5; ++lives) {
        const int x = 20 + 40 * (lives - 1);
        const int y = 20 + 20 * (lives - 1);
        EXPECT_TRUE(AreaIs(display, x, y, 40, 20, BRICK_COLOURS[lives - 1])) << lives << " lives";
    }
    EXPECT_TRUE(AreaIs(display, 180, 120, 13, 3, WHITE)) << "the ball below its brick";
    EXPECT_TRUE(AreaIs(display, 130, 80, 10, 20, WHITE)) << "the paddle left of its brick";
    // The last column's bricks reach over the first column of the right wall.
    EXPECT_TRUE(AreaIs(display, 580, 160, 40, 20, BRICK_COLOURS[2]));
    EXPECT_EQ(ColourAt(display, 620, 170), WHITE);
    EXPECT_EQ(ColourAt(display, 579, 170), BLACK);
}

TEST_F(PacerTest, APassSleepsOutTheRestOfSevenMillisecondsAcrossTheWrapToo) {
    struct Pass {
        Uint32 lastFrame;
        Uint32 now;
        std::vector<Uint32> delays;
        Uint32 lastFrameAfter;
    };
    const Pass passes[] = {
        {1000, 1003, {4}, 1007},
        {1000, 1019, {}, 1019},  // a pass that took 7 ms or more doesn't sleep
        {0xFFFFFFFCu, 0xFFFFFFFDu, {6}, 3},
    };
    for (const Pass& pass : passes) {
        FakeClock::ClearDelays();
        lastFrame = pass.lastFrame;
        FakeClock::Set(pass.now);
        CapFrameRate();
        EXPECT_EQ(FakeClock::Delays(), pass.delays) << "a pass from " << pass.lastFrame;
        EXPECT_EQ(lastFrame, pass.lastFrameAfter);
    }
}

// Every reading of the clock costs a millisecond here: a rest taken from a later reading
// than the one compared would be short, and past the deadline it would wrap round to a
// sleep of weeks.
TEST_F(PacerTest, TheRestIsTakenFromTheReadingThatWasComparedSoItIsNeverNegative) {
    lastFrame = 1000;
    FakeClock::Set(1003);
    FakeClock::AdvanceOnEachRead(1);
    CapFrameRate();
    FakeClock::AdvanceOnEachRead(0);
    EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{4});
}

TEST_F(PacerTest, TheRateShowsInTheCaptionOnlyWhenLastFrameIsAMultipleOfEight) {
    struct Pass {
        Uint32 lastFrame;
        Uint32 now;
        const char* caption;
    };
    const Pass passes[] = {
        {1000, 1000, "Now running at 142 frames per second."},
        {1001, 1001, "Zem Brixolan"},
        // Right after a pass that waited a second for a lost ball.
        {2000, 3007, "Now running at 0 frames per second."},
        {4000, 4010, "Now running at 100 frames per second."},
    };
    for (const Pass& pass : passes) {
        SDL_WM_SetCaption("Zem Brixolan", nullptr);
        lastFrame = pass.lastFrame;
        FakeClock::Set(pass.now);
        CapFrameRate();
        EXPECT_EQ(Caption(), pass.caption) << "a pass from " << pass.lastFrame;
    }
}
