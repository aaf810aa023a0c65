#include "shell/startup.h"

#include <signal.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "SDL_ttf.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "shell/screens.h"
#include "shell/main_loop.h"
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
    int RunGame(std::function<void()> pushEvents, std::function<void()> onPass = nullptr) {
        onFakeFrame = [pushEvents, onPass]() {
            if (fakeGameLog.capFrameRateCalls == 1) {
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
        return ZEM_RunGame(FAKE_GAME, 1, argv);
    }

    ScratchDir dir;
    FakeClock clock;
};

void PushKeys(const std::vector<SDLKey>& keys) {
    for (SDLKey key : keys) {
        PushKeyDown(key);
    }
}

void ChooseQuit() {
    PushKeys({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
}

}  // namespace

TEST_F(StartupTest, OpensTheGameWindowWithItsFontsAndStartsTheClock) {
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
        EXPECT_STREQ(caption, FAKE_GAME.caption);
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
        // A window made again and again at the start (as SDL 2 does when it tries renderers
        // the machine lacks) queues a focus change each time, ahead of the player's keys.
        EXPECT_EQ(PendingEvents(), 3) << "only the three keys pushed wait";
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menuBox != nullptr && background != nullptr);
        ASSERT_TRUE(impactFont1 != nullptr && impactFont2 != nullptr && arialFont1 != nullptr);
        EXPECT_LT(TTF_FontHeight(arialFont1), TTF_FontHeight(impactFont1)) << "small text";
        EXPECT_LT(TTF_FontHeight(impactFont1), TTF_FontHeight(impactFont2)) << "large headings";
        Uint32 reading = timer.GetTicks();
        FakeClock::Advance(25);
        EXPECT_EQ(timer.GetTicks(), reading + 25) << "the game clock must be running";
    };

    EXPECT_EQ(RunGame(ChooseQuit, firstPass), 0);

    EXPECT_TRUE(looked);
    EXPECT_EQ(menu, nullptr) << "the menu is gone once the game is over";
}

// Closing the window is ignored on every screen but play, where it ends the game and the
// high score is written.
TEST_F(StartupTest, EveryScreenHandsOverAsTheStateTableSays) {
    dir.CopyStartupFiles();
    dir.WriteFile(HISCORE_FILE, "\t 123 apples\n");
    auto events = []() {
        PushQuit();                          // menu: ignored
        PushKeys({SDLK_DOWN, SDLK_RETURN});  // menu: Help
        PushQuit();                          // help: ignored
        PushKeys({SDLK_a, SDLK_RETURN});     // help: back to the menu
        PushKeys({SDLK_RETURN});             // menu: Play
        PushKeys({SDLK_p});                  // play: pause
        PushQuit();                          // pause: ignored
        PushKeys({SDLK_RETURN});             // pause: Continue Game
        PushKeys({SDLK_ESCAPE});             // play: pause
        PushKeys({SDLK_DOWN, SDLK_RETURN});  // pause: Return to Menu
        PushKeys({SDLK_RETURN});             // menu: Play
        PushKeys({SDLK_l});                  // play: the last life is lost
        PushQuit();                          // lose: ignored
        PushKeys({SDLK_RETURN});             // lose: back to the menu
        PushKeys({SDLK_RETURN});             // menu: Play
        PushQuit();                          // play: the window is closed
    };

    EXPECT_EQ(RunGame(events), 0);

    std::vector<StateFunction> expected = {
        MenuState,           MenuState,  MenuState,           HelpState,           MenuState,
        FAKE_GAME.PlayState, PauseState, FAKE_GAME.PlayState, PauseState,          MenuState,
        FAKE_GAME.PlayState, LoseState,  MenuState,           FAKE_GAME.PlayState, nullptr};
    EXPECT_EQ(fakeGameLog.topAfterEachPass, expected);
    EXPECT_EQ(fakeGameLog.prePlayCalls, 3);
    EXPECT_EQ(fakeGameLog.topAtPrePlay, MenuState);
    EXPECT_EQ(fakeGameLog.depthAtPrePlay, 1u);
    EXPECT_EQ(fakeGameLog.playStateCalls, 4);
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "123") << "the score read at the start, bare";
}

// Interrupt, terminate and hang-up end the game on every screen as "Quit" does: a screen
// waiting for a key stops waiting at once (the Enter pushed behind the signal is never
// taken), the main loop ends after that pass, and the high score of the run is written.
TEST_F(StartupTest, AQuitSignalOnAnyScreenEndsTheGameAndWritesTheHighScore) {
    const struct {
        StateFunction screen;
        int signalNumber;
        std::vector<SDLKey> keysToIt;
        bool waitsForAKey;
    } cases[] = {
        {MenuState, SIGINT, {}, false},
        {HelpState, SIGTERM, {SDLK_DOWN, SDLK_RETURN}, true},
        {FAKE_GAME.PlayState, SIGHUP, {SDLK_RETURN}, false},
        {PauseState, SIGINT, {SDLK_RETURN, SDLK_p}, true},
        {LoseState, SIGHUP, {SDLK_RETURN, SDLK_l}, true},
    };
    dir.CopyStartupFiles();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "signal " << c.signalNumber);
        ResetFakeGame();
        dir.WriteFile(HISCORE_FILE, "7");
        bool raised = false;
        int leftInQueue = -1;
        auto onPass = [&c, &raised, &leftInQueue]() {
            if (StateStack.empty()) {
                leftInQueue = PendingEvents();
            } else if (!raised && StateStack.top().statePointer == c.screen) {
                raised = true;
                hiScore = 321;  // points earned in this run
                raise(c.signalNumber);
                if (c.waitsForAKey) {
                    PushKeyDown(SDLK_RETURN);
                }
            }
        };

        EXPECT_EQ(RunGame([&c] { PushKeys(c.keysToIt); }, onPass), 0);

        ASSERT_TRUE(raised);
        ASSERT_GE(fakeGameLog.topAfterEachPass.size(), 2u);
        const std::vector<StateFunction> lastTwo = {c.screen, nullptr};
        EXPECT_EQ(std::vector<StateFunction>(fakeGameLog.topAfterEachPass.end() - 2,
                                             fakeGameLog.topAfterEachPass.end()),
                  lastTwo)
            << "the pass after the signal is the last";
        EXPECT_EQ(leftInQueue, c.waitsForAKey ? 1 : 0);
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "321");
        ReleaseWhatStartUpLeft();
    }
}

// A level set of the player's own keeps its high score in a file of its own; the shipped set's
// is never written by it, and a set that can't be read stops the start at once.
TEST_F(StartupTest, APlayersLevelSetKeepsItsOwnHighScore) {
    ZemGame setGame = FAKE_GAME;
    setGame.playsLevelSets = true;
    const struct {
        const char* levels;
        int status;
        const char* ownFile;  // null when nothing but "hiscore" may exist
    } cases[] = {
        {"my.levels", 0, "hiscore-my.levels"},
        {"sets/my.levels", 0, "hiscore-my.levels"},
        {"missing.levels", 1, nullptr},
        {"sets", 1, nullptr},  // a folder
    };
    dir.CopyStartupFiles();
    dir.WriteFile("my.levels", "");
    mkdir((dir.Path() + "/sets").c_str(), 0755);
    dir.WriteFile("sets/my.levels", "");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.levels);
        ResetFakeGame();
        ZEM_UseGame(setGame);
        dir.WriteFile(HISCORE_FILE, "7");
        std::remove((dir.Path() + "/hiscore-my.levels").c_str());
        onFakeFrame = []() {
            hiScore = 321;
            EmptyStateStack();
        };
        char program[] = "shell_tests";
        char option[] = "--levels";
        std::string levels = c.levels;
        char* argv[] = {program, option, &levels[0], nullptr};
        EXPECT_EQ(ZEM_RunGame(setGame, 3, argv), c.status);
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "7") << "the shipped set's score stays";
        if (c.ownFile != nullptr) {
            EXPECT_EQ(dir.ReadFile(c.ownFile), "321");
        } else {
            EXPECT_FALSE(dir.Exists("hiscore-missing.levels"));
            EXPECT_FALSE(dir.Exists("hiscore-sets"));
        }
        ReleaseWhatStartUpLeft();
    }
}
