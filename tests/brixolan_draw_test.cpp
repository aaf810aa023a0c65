#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/support/wall_text.h"

namespace {

const Rgb GREY{125, 125, 125};
const Rgb BRICK_COLOURS[] = {
    {0, 0, 150}, {100, 0, 200}, {150, 0, 150}, {200, 0, 100}, {255, 0, 50}};

int CountOf(SDL_Surface* surface, int x, int y, int w, int h, Rgb colour) {
    int count = 0;
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            count += ColourAt(surface, column, row) == colour ? 1 : 0;
        }
    }
    return count;
}

// The ball resting on the paddle at their start places, lives 10, score 7 of a best 42.
class DrawTest : public PlayScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlayScreenTest::SetUp());
        myPaddle.SetBothSize(72, 20);
        myPaddle.SetBothPos(320, 440);
        theBall.SetBothSize(13, 13);
        theBall.SetBothPos(350, 428);
        theBricks.clear();
        lives = 10;
        score = 7;
        hiScore = 42;
        FillRect(display, 0, 0, 640, 480, CYAN);
    }

    // The line must show exactly as the text rendered in grey, centred across the window
    // with its top on the wall's top row, over the white wall.
    void ExpectLineOnWall(const std::string& text, const SDL_Rect& wall) {
        const WallText line(arialFont1, text, SDL_Color{GREY.r, GREY.g, GREY.b, 0});
        ASSERT_NE(line.Rendered(), nullptr);
        ASSERT_LE(line.Rendered()->h, wall.h);
        EXPECT_TRUE(line.ShownOn(display, wall, 640)) << "\"" << text << "\"";
        EXPECT_GT(CountOf(display, wall.x, wall.y, wall.w, wall.h, GREY), 20) << text;
    }

    const SDL_Rect TOP_WALL = {0, 0, 639, 20};
    const SDL_Rect BOTTOM_WALL = {0, 459, 639, 20};
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

    static Uint32 TotalSlept() {
        Uint32 total = 0;
        for (Uint32 delay : FakeClock::Delays()) {
            total += delay;
        }
        return total;
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

TEST_F(DrawTest, BallPaddleAndNoBricksOnAnEmptyLevel) {
    DrawGame();
    EXPECT_TRUE(AreaIs(display, 350, 428, 13, 12, WHITE));
    EXPECT_TRUE(AreaIs(display, 320, 440, 72, 19, WHITE));
    EXPECT_TRUE(AreaIs(display, 20, 428, 300, 31, BLACK));
    EXPECT_TRUE(AreaIs(display, 392, 428, 227, 31, BLACK));
    EXPECT_TRUE(AreaIs(display, 363, 428, 29, 12, BLACK));
}

TEST_F(DrawTest, BricksShowTheColourOfTheirLivesInTheirGridPlaces) {
    for (int lives = 1; lives <= 5; ++lives) {
        theBricks.push_back(Brick(lives, 20 + 40 * (lives - 1), 20 + 20 * (lives - 1), 40, 20));
    }
    theBricks.push_back(Brick(3, 580, 160, 40, 20));
    DrawGame();

    for (int lives = 1; lives <= 5; ++lives) {
        const int x = 20 + 40 * (lives - 1);
        const int y = 20 + 20 * (lives - 1);
        EXPECT_TRUE(AreaIs(display, x, y, 40, 20, BRICK_COLOURS[lives - 1])) << lives << " lives";
    }
    // The last column's bricks reach over the first column of the right wall.
    EXPECT_TRUE(AreaIs(display, 580, 160, 40, 20, BRICK_COLOURS[2]));
    EXPECT_EQ(ColourAt(display, 620, 170), WHITE);
    EXPECT_EQ(ColourAt(display, 579, 170), BLACK);
}

TEST_F(DrawTest, BricksAreDrawnOverTheBallAndThePaddle) {
    theBall.SetBothPos(300, 30);
    myPaddle.SetBothPos(100, 150);
    theBricks.push_back(Brick(5, 300, 20, 40, 20));
    theBricks.push_back(Brick(1, 140, 160, 40, 20));
    DrawGame();
    EXPECT_TRUE(AreaIs(display, 300, 30, 13, 10, BRICK_COLOURS[4]));
    EXPECT_TRUE(AreaIs(display, 300, 40, 13, 3, WHITE));
    EXPECT_TRUE(AreaIs(display, 140, 160, 32, 10, BRICK_COLOURS[0]));
    EXPECT_TRUE(AreaIs(display, 100, 150, 40, 20, WHITE));
}

TEST_F(DrawTest, TheLivesLineSitsOnTheBottomWallAndTheScoreLineOnTheTop) {
    DrawGame();
    ExpectLineOnWall("Lives: 10", BOTTOM_WALL);
    ExpectLineOnWall("Score: 7   ---   High Score: 42", TOP_WALL);

    lives = 0;
    score = 1234;
    hiScore = 1234;
    DrawGame();
    ExpectLineOnWall("Lives: 0", BOTTOM_WALL);
    ExpectLineOnWall("Score: 1234   ---   High Score: 1234", TOP_WALL);
}

TEST_F(DrawTest, WithoutItsFontTheFrameIsDrawnWithoutTheLines) {
    TTF_CloseFont(arialFont1);
    arialFont1 = nullptr;
    theBricks.push_back(Brick(2, 20, 20, 40, 20));
    DrawGame();
    EXPECT_TRUE(AreaIs(display, 0, 0, 639, 20, WHITE));
    EXPECT_TRUE(AreaIs(display, 0, 459, 639, 20, WHITE));
    EXPECT_TRUE(AreaIs(display, 20, 20, 40, 20, BRICK_COLOURS[1]));
    EXPECT_TRUE(AreaIs(display, 350, 428, 13, 12, WHITE));
    EXPECT_EQ(message, nullptr);
}

TEST_F(PacerTest, APassSleepsOutTheRestOfSevenMilliseconds) {
    lastFrame = 1000;
    FakeClock::Set(1003);
    CapFrameRate();
    EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{4});
    EXPECT_EQ(lastFrame, 1007u);

    // A pass that took 7 ms or more doesn't sleep.
    FakeClock::ClearDelays();
    FakeClock::Set(1019);
    CapFrameRate();
    EXPECT_TRUE(FakeClock::Delays().empty());
    EXPECT_EQ(lastFrame, 1019u);
}

TEST_F(PacerTest, ASleepIsNeverLongerThanWhatIsLeftOfThePass) {
    // The clock moves on between readings: a reading taken past the deadline must not turn
    // into a wrapped-around sleep.
    for (Uint32 start : {1000u, 1005u, 1006u}) {
        FakeClock::ClearDelays();
        lastFrame = 1000;
        FakeClock::Set(start);
        FakeClock::AdvanceOnEachRead(2);
        CapFrameRate();
        for (Uint32 delay : FakeClock::Delays()) {
            EXPECT_GE(delay, 1u);
            EXPECT_LE(delay, 7u) << "pass started at " << start;
        }
        EXPECT_GE(lastFrame, 1007u);
    }
}

TEST_F(PacerTest, TimeOnAPausedTimerDoesNotCount) {
    lastFrame = timer.GetTicks();
    timer.Pause();
    FakeClock::Advance(500);
    timer.Resume();
    FakeClock::Advance(3);
    CapFrameRate();
    EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{4});
}

TEST_F(PacerTest, TheWrapOfTheMillisecondCountDoesNotUpsetThePace) {
    lastFrame = 0xFFFFFFFCu;
    FakeClock::Set(0xFFFFFFFDu);
    CapFrameRate();
    EXPECT_EQ(TotalSlept(), 6u);
    EXPECT_EQ(lastFrame, 3u);
}

TEST_F(PacerTest, TheRateShowsInTheCaptionOnlyWhenLastFrameIsAMultipleOfEight) {
    lastFrame = 1000;
    FakeClock::Set(1000);
    CapFrameRate();
    EXPECT_EQ(Caption(), "Now running at 142 frames per second.");

    SDL_WM_SetCaption("Zem Brixolan", nullptr);
    lastFrame = 1001;
    FakeClock::Set(1001);
    CapFrameRate();
    EXPECT_EQ(Caption(), "Zem Brixolan");

    // Right after a pass that waited a second for a lost ball.
    lastFrame = 2000;
    FakeClock::Set(3007);
    CapFrameRate();
    EXPECT_EQ(Caption(), "Now running at 0 frames per second.");

    lastFrame = 4000;
    FakeClock::Set(4010);
    CapFrameRate();
    EXPECT_EQ(Caption(), "Now running at 100 frames per second.");
}
