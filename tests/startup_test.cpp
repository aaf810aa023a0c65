#include "shell/startup.h"

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "SDL_ttf.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "shell/screens.h"
#include "shell/state_stack.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_game.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

// More passes than any test needs: a game still running then would never end.
const int RUNAWAY_PASSES = 500;
const size_t RUNAWAY_DELAYS = 2000;

using StateFunction = void (*)();

// Runs the whole program in a scratch folder, on the fake clock, with the fake game. SDL is
// brought up and shut down by the program itself; whatever a failed start-up leaves behind is
// released afterwards so that the next test starts clean.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ResetFakeGame();
        hiScore = 0;
    }

    void TearDown() override {
        ReleaseWhatStartUpLeft();
        ResetFakeGame();
    }

    // Starts the program; the events come once the first pass of the main menu is done (SDL
    // empties its queue when it starts). The keys are handed out in order, each to whichever
    // screen asks for an event next.
    int RunGame(std::function<void()> pushEvents = nullptr,
                std::function<void()> onPass = nullptr) {
        onFakeFrame = [pushEvents, onPass]() {
            if (fakeGameLog.capFrameRateCalls == 1 && pushEvents) {
                pushEvents();
            }
            if (onPass) {
                onPass();
            }
            if (fakeGameLog.capFrameRateCalls > RUNAWAY_PASSES) {
                ADD_FAILURE() << "the game does not end";
                EmptyStateStack();
            }
        };
        FakeClock::OnDelay([](Uint32) {
            if (FakeClock::Delays().size() > RUNAWAY_DELAYS) {
                ADD_FAILURE() << "a screen never lets go";
                PushKeyDown(SDLK_RETURN);
            }
        });
        char program[] = "shell_tests";
        char* argv[] = {program, nullptr};
        return SDL_main(1, argv);
    }

    ScratchDir dir;
    FakeClock clock;
};

void PushKeys(std::initializer_list<SDLKey> keys) {
    for (SDLKey key : keys) {
        PushKeyDown(key);
    }
}

void ChooseQuit() {
    PushKeys({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
}

using LoadingTest = StartupTest;

class MissingFileTest : public StartupTest, public ::testing::WithParamInterface<const char*> {};

}  // namespace

TEST_P(MissingFileTest, EndsWithStatusOneAndLeavesTheHighScoreFileAlone) {
    for (const char* name : {"menubox.bmp", "background640.jpg", "impact.ttf", "arial.ttf"}) {
        if (std::string(name) != GetParam()) {
            dir.CopyGameFile(name);
        }
    }
    dir.WriteFile(HISCORE_FILE, "77\n");
    hiScore = 5;

    EXPECT_EQ(RunGame(ChooseQuit), 1);

    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "77\n");
    EXPECT_EQ(hiScore, 5) << "the score is read only once everything else has loaded";
    EXPECT_EQ(fakeGameLog.capFrameRateCalls, 0) << "no state may run";
    EXPECT_EQ(menu, nullptr);
}

TEST_P(MissingFileTest, MakesLoadingFail) {
    for (const char* name : {"menubox.bmp", "background640.jpg", "impact.ttf", "arial.ttf"}) {
        if (std::string(name) != GetParam()) {
            dir.CopyGameFile(name);
        }
    }
    ASSERT_TRUE(init());
    EXPECT_FALSE(load_files());
}

INSTANTIATE_TEST_SUITE_P(EachStartupFile, MissingFileTest,
                         ::testing::Values("menubox.bmp", "background640.jpg", "impact.ttf",
                                           "arial.ttf"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

TEST_F(LoadingTest, SucceedsWithEveryFileAndReadsTheHighScore) {
    dir.CopyStartupFiles();
    dir.WriteFile(HISCORE_FILE, "  4321 points\n");
    ASSERT_TRUE(init());

    EXPECT_TRUE(load_files());

    EXPECT_EQ(hiScore, 4321);
    EXPECT_NE(menuBox, nullptr);
    EXPECT_NE(background, nullptr);
    ASSERT_NE(impactFont1, nullptr);
    ASSERT_NE(impactFont2, nullptr);
    ASSERT_NE(arialFont1, nullptr);
    EXPECT_LT(TTF_FontHeight(impactFont1), TTF_FontHeight(impactFont2));
    EXPECT_LT(TTF_FontHeight(arialFont1), TTF_FontHeight(impactFont1));
}

TEST_F(StartupTest, OpensTheGameWindowAndStartsTheClock) {
    dir.CopyStartupFiles();
    bool looked = false;
    auto firstPass = [&looked]() {
        if (looked) {
            return;
        }
        looked = true;
        SDL_Surface* video = SDL_GetVideoSurface();
        ASSERT_NE(video, nullptr);
        EXPECT_EQ(video, screen);
        EXPECT_EQ(video->w, 640);
        EXPECT_EQ(video->h, 480);
        EXPECT_EQ(video->format->BitsPerPixel, 32);
        char* caption = nullptr;
        SDL_WM_GetCaption(&caption, nullptr);
        ASSERT_NE(caption, nullptr);
        EXPECT_STREQ(caption, GAME_CAPTION);
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
        Uint32 reading = timer.GetTicks();
        FakeClock::Advance(25);
        EXPECT_EQ(timer.GetTicks(), reading + 25) << "the game clock must be running";
        ASSERT_NE(menu, nullptr);
    };

    EXPECT_EQ(RunGame(ChooseQuit, firstPass), 0);

    EXPECT_TRUE(looked);
    EXPECT_EQ(menu, nullptr) << "the menu is gone once the game is over";
}

TEST_F(StartupTest, QuitFromTheMenuWritesTheHighScoreAsBareDigits) {
    dir.CopyStartupFiles();
    dir.WriteFile(HISCORE_FILE, "\t 123 apples\n");

    EXPECT_EQ(RunGame(ChooseQuit), 0);

    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "123");
    EXPECT_EQ(fakeGameLog.prePlayCalls, 0);
    EXPECT_TRUE(StateStack.empty());
}

TEST_F(StartupTest, AMissingOrJunkHighScoreFileComesBackAsZero) {
    dir.CopyStartupFiles();
    EXPECT_EQ(RunGame(ChooseQuit), 0);
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");

    ResetFakeGame();
    dir.WriteFile(HISCORE_FILE, "best: 900");
    EXPECT_EQ(RunGame(ChooseQuit), 0);
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");
}

TEST_F(StartupTest, KeepsTheHighScoreRaisedDuringTheRun) {
    dir.CopyStartupFiles();
    dir.WriteFile(HISCORE_FILE, "10");
    auto raise = []() { hiScore = -250; };

    EXPECT_EQ(RunGame(ChooseQuit, raise), 0);

    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "-250");
}

TEST_F(StartupTest, ClosingTheWindowCountsOnlyDuringPlay) {
    dir.CopyStartupFiles();
    auto events = []() {
        PushQuit();  // ignored by the main menu
        PushKeyDown(SDLK_RETURN);
        PushQuit();  // honoured by play
    };

    EXPECT_EQ(RunGame(events), 0);

    std::vector<StateFunction> expected = {MenuState, MenuState, PlayState, nullptr};
    EXPECT_EQ(fakeGameLog.topAfterEachPass, expected);
    EXPECT_EQ(fakeGameLog.playStateCalls, 1);
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");
}

TEST_F(StartupTest, EveryScreenHandsOverAsTheStateTableSays) {
    dir.CopyStartupFiles();
    auto events = []() {
        PushKeys({SDLK_DOWN, SDLK_RETURN});             // menu: Help
        PushQuit();                                     // help: ignored
        PushKeys({SDLK_a, SDLK_RETURN});                // help: back to the menu
        PushKeys({SDLK_RETURN});                        // menu: Play
        PushKeys({SDLK_p});                             // play: pause
        PushQuit();                                     // pause: ignored
        PushKeys({SDLK_RETURN});                        // pause: Continue Game
        PushKeys({SDLK_ESCAPE});                        // play: pause
        PushKeys({SDLK_DOWN, SDLK_RETURN});             // pause: Return to Menu
        PushKeys({SDLK_RETURN});                        // menu: Play
        PushKeys({SDLK_l});                             // play: the last life is lost
        PushQuit();                                     // lose: ignored
        PushKeys({SDLK_RETURN});                        // lose: back to the menu
        PushKeys({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});  // menu: Quit
    };

    EXPECT_EQ(RunGame(events), 0);

    std::vector<StateFunction> expected = {MenuState,  MenuState, HelpState,  MenuState, PlayState,
                                           PauseState, PlayState, PauseState, MenuState, PlayState,
                                           LoseState,  MenuState, MenuState,  MenuState, nullptr};
    EXPECT_EQ(fakeGameLog.topAfterEachPass, expected);
    EXPECT_EQ(fakeGameLog.prePlayCalls, 2);
    EXPECT_EQ(fakeGameLog.topAtPrePlay, MenuState);
    EXPECT_EQ(fakeGameLog.depthAtPrePlay, 1u);
    EXPECT_EQ(fakeGameLog.playStateCalls, 3);
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");
}
