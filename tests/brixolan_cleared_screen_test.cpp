// The screen after the last level, drawn as the lose screen draws: the lines centred over the
// last picture of play, without a box, until Enter.
#include "brixolan/cleared_screen.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "brixolan/game.h"
#include "framework/surface.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "shell/screens.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"

using namespace brixolan;

namespace {

const Rgb PLAY_PICTURE{20, 90, 40};

class ClearedScreenTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        ZEM_UseGame(GAME);
        screen = display;
        ASSERT_NO_FATAL_FAILURE(OpenGameFonts());
        theMenu = std::make_unique<ZemMenu>();
        menu = theMenu.get();
        timer.Start();
    }

    void TearDown() override {
        EmptyStateStack();
        menu = nullptr;
        CloseGameFonts();
        screen = nullptr;
        timer.Stop();
        SdlTest::TearDown();
    }

    FakeClock clock;
    std::unique_ptr<ZemMenu> theMenu;
};

TEST_F(ClearedScreenTest, ShowsTheScoreOverThePlayUntilEnterWithTheClockStopped) {
    FillRect(display, 0, 0, 640, 480, PLAY_PICTURE);
    FillRect(display, 20, 20, 40, 20, Rgb{0, 0, 150});
    // What the lines look like on the lose screen's terms, laid over the same picture.
    SDL_Surface* expected = CopyOf(display);
    ZemMenu lines;
    lines.SetHeaderColor(230, 190, 30);
    lines.AddHeader("All Levels Cleared");
    lines.AddHeader("Score: 4321");
    lines.AddOption("Press Enter to Continue");
    SDL_Surface* text = lines.Draw(impactFont2, arialFont1);
    ASSERT_NE(text, nullptr);
    EXPECT_LE(text->w, 640) << "the lines fit the window";
    ZEM_BlitSurface(text, nullptr, expected, (640 - text->w) / 2, (480 - text->h) / 2);
    SDL_FreeSurface(text);

    score = 4321;
    EmptyStateStack();
    for (void (*state)() : {MenuState, PlayState, AllClearedState}) {
        PushState(state);
    }
    int waits = 0;
    bool shown = false;
    FakeClock::OnDelay([&](Uint32) {
        if (++waits == 1) {
            shown = SamePixels(display, expected);
        } else if (waits > 1000) {
            ADD_FAILURE() << "the screen never lets go";
            PushKeyDown(SDLK_RETURN);
        }
    });
    const Uint32 before = timer.GetTicks();
    // Closing the window is passed over here, as on the lose screen.
    PushQuit();
    PushKeyDown(SDLK_RETURN);

    AllClearedState();

    EXPECT_TRUE(shown);
    EXPECT_EQ(waits, 2) << "the close request, then Enter";
    EXPECT_EQ(timer.GetTicks(), before) << "play goes on as if no time had passed";
    FakeClock::Advance(9);
    EXPECT_EQ(timer.GetTicks(), before + 9) << "and the clock runs again";
    ASSERT_EQ(StateStack.size(), 2u);
    EXPECT_EQ(StateStack.top().statePointer, PlayState);
    SDL_FreeSurface(expected);
}

}  // namespace
