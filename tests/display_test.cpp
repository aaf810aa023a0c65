// The enlarged window: the game draws the same 640x480 picture at every scale, and the window
// shows each of its pixels as an exact square block.

#include "platform/display.h"

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "framework/menu.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "shell/screens.h"
#include "shell/startup.h"
#include "tests/support/all_games.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/support/sprite_shots.h"

namespace {

const int PLAY_FRAMES = 12;

struct Case {
    const char* game;
    const char* screen;
    int scale;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << c.game << " " << c.screen << " at " << c.scale;
}

void ShowMainMenu() {
    MenuState();
}

// A few frames into a new game: the ball and paddles have moved, tamu's sprites have put
// back what lay under them.
void PlaySomeFrames() {
    game->PrePlay();
    PushState(game->PlayState);
    HoldKey(SDLK_LEFT);
    for (int frame = 0; frame < PLAY_FRAMES; ++frame) {
        game->PlayState();
    }
    ReleaseAllKeys();
}

// The window after the game started at this scale and drew the screen; freed by the caller.
SDL_Surface* WindowAfter(const ZemGame& theGame, int scale, const std::function<void()>& draw) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    dir.CopyGameFile("levelmaps");
    FakeClock clock;
    ChooseDisplay(DisplayChoice{scale, false});
    SDL_Surface* copy = nullptr;
    if (ZEM_StartGame(theGame)) {
        draw();
        copy = CopyOf(SDL_GetVideoSurface());
        DropSpriteShots();
        EmptyStateStack();
        ZEM_EndGame();
    } else {
        ReleaseWhatStartUpLeft();
    }
    ChooseDisplay(DisplayChoice{});
    return copy;
}

Uint32 PixelOf(SDL_Surface* surface, int x, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch)[x];
}

// The screen the display is told of, whatever size the dummy driver tells.
int screenWidth = 0;
int screenHeight = 0;
void TheScreenOfTheTest(int& width, int& height) {
    width = screenWidth;
    height = screenHeight;
}

// The dummy drivers and a screen that holds the window at every scale.
void StartOnTheTestScreen() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    screenWidth = SCREEN_WIDTH * MAX_SCALE;
    screenHeight = SCREEN_HEIGHT * MAX_SCALE;
    SetScreenSizeReader(TheScreenOfTheTest);
}

class ScaledPictureTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override { StartOnTheTestScreen(); }
    void TearDown() override { SetScreenSizeReader(nullptr); }
};

class SmallScreenTest : public ::testing::Test {
protected:
    void SetUp() override { StartOnTheTestScreen(); }
    void TearDown() override { SetScreenSizeReader(nullptr); }
};

TEST_P(ScaledPictureTest, EveryPixelBecomesAnExactBlock) {
    const Case c = GetParam();
    const ZemGame* theGame = GameNamed(c.game);
    ASSERT_NE(theGame, nullptr);
    const std::function<void()> draw =
        std::string(c.screen) == "menu" ? ShowMainMenu : PlaySomeFrames;
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> plain(WindowAfter(*theGame, 1, draw),
                                                               SDL_FreeSurface);
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> scaled(
        WindowAfter(*theGame, c.scale, draw), SDL_FreeSurface);
    ASSERT_TRUE(plain && scaled);
    ASSERT_EQ(plain->w, SCREEN_WIDTH);
    ASSERT_EQ(scaled->w, SCREEN_WIDTH * c.scale);
    ASSERT_EQ(scaled->h, SCREEN_HEIGHT * c.scale);
    int wrong = 0;
    for (int y = 0; y < scaled->h; ++y) {
        for (int x = 0; x < scaled->w; ++x) {
            if (PixelOf(scaled.get(), x, y) != PixelOf(plain.get(), x / c.scale, y / c.scale) &&
                wrong++ == 0) {
                ADD_FAILURE() << "first differing window pixel: " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

// A window never opens larger than the screen: the largest whole scale that fits.
TEST(WindowSize, TheLargestScaleThatFitsTheScreen) {
    const struct {
        int scale, width, height, fits;
    } rows[] = {
        {3, 1280, 1024, 2}, {4, 1280, 1024, 2}, {2, 1280, 1024, 2}, {4, 2560, 1920, 4},
        {4, 2560, 1440, 3}, {2, 800, 600, 1},   {3, 0, 0, 3},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LargestScaleThatFits(row.scale, row.width, row.height), row.fits)
            << row.scale << " on " << row.width << "x" << row.height;
    }
}

// The window that opens on a screen too small for the scale asked: the largest that fits.
TEST_F(SmallScreenTest, TheWindowOpensAsLargeAsTheScreenHolds) {
    const struct {
        int scale, width, height, opened;
    } rows[] = {{3, 1280, 1024, 2}, {4, 1920, 1080, 2}, {2, 800, 600, 1}, {2, 1280, 960, 2}};
    for (const auto& row : rows) {
        screenWidth = row.width;
        screenHeight = row.height;
        std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> window(
            WindowAfter(*GameNamed("brixolan"), row.scale, ShowMainMenu), SDL_FreeSurface);
        ASSERT_TRUE(window);
        EXPECT_EQ(window->w, SCREEN_WIDTH * row.opened) << row.scale << " on " << row.width;
        EXPECT_EQ(window->h, SCREEN_HEIGHT * row.opened) << row.scale << " on " << row.width;
    }
}

INSTANTIATE_TEST_SUITE_P(MenuAndPlay, ScaledPictureTest,
                         ::testing::Values(Case{"brixolan", "menu", 2}, Case{"brixolan", "menu", 3},
                                           Case{"brixolan", "play", 2}, Case{"tamu", "play", 3}));

}  // namespace
