#pragma once

#include <stack>
#include <vector>

#include "framework/surface.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/main_loop.h"
#include "tamu/game.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

// The states on the stack, the bottom one first.
inline std::vector<void (*)()> Stack() {
    std::stack<StateStruct> copy = StateStack;
    std::vector<void (*)()> states;
    for (; !copy.empty(); copy.pop()) {
        states.insert(states.begin(), copy.top().statePointer);
    }
    return states;
}

// A duel just begun from the main menu: menu below, play on top, on the fake clock. Shared
// by the duel's play and drawing tests.
class DuelTest : public PlayScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlayScreenTest::SetUp());
        ZEM_UseGame(tamu::GAME);
        background = ZEM_LoadImage(GameFile("background640.jpg"));
        ASSERT_NE(background, nullptr);
        EmptyStateStack();
        timer.Start();
        tamu::PrePlay();
        PushState(MenuState);
        PushState(tamu::PlayState);
    }

    void TearDown() override {
        // The saved pieces belong to this test's screen: put them back while it still exists.
        theBall.ReturnShot();
        myPaddle.ReturnShot();
        tamu::otherPaddle.ReturnShot();
        EmptyStateStack();
        timer.Stop();
        SDL_FreeSurface(background);
        background = nullptr;
        PlayScreenTest::TearDown();
    }

    FakeClock clock;
};
