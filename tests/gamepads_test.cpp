// Gamepads through the seam that feeds their state: no pad is plugged into these machines.

#include "platform/gamepads.h"

#include <vector>

#include <gtest/gtest.h>

#include "framework/menu.h"
#include "shell/controls.h"
#include "shell/main_loop.h"
#include "shell/playfield.h"
#include "shell/screens.h"
#include "tests/support/all_games.h"
#include "tests/support/game_screen.h"
#include "tests/support/sdl_test.h"

namespace {

PadState fedPads[MAX_PADS];

void FeedPads(PadState pads[MAX_PADS]) {
    for (int i = 0; i < MAX_PADS; ++i) {
        pads[i] = fedPads[i];
    }
}

std::vector<SDLKey> QueuedKeyPresses() {
    std::vector<SDLKey> keys;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_KEYDOWN) {
            keys.push_back(event.key.keysym.sym);
        }
    }
    return keys;
}

class GamepadTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        ZEM_UseGame(*GameNamed("tamu"));
        SetPadReader(FeedPads);
        Feed(PadState(), PadState());
    }
    void TearDown() override {
        Feed(PadState(), PadState());
        PollPads();
        SetPadReader(nullptr);
        EmptyStateStack();
        SdlTest::TearDown();
    }
    static void Feed(const PadState& first, const PadState& second) {
        fedPads[0] = first;
        fedPads[1] = second;
    }
    // One frame's steering of a still paddle.
    static int VelocityAfterSteering(int paddleNumber) {
        PaddleControls controls[PADDLES];
        ReadControls(controls);
        Paddle paddle;
        SteerPaddle(paddle, controls[paddleNumber]);
        return paddle.GetXVel();
    }
};

TEST_F(GamepadTest, FirstPadSteersTheBottomPaddleAndSecondTheTop) {
    struct Row {
        PadState first;
        PadState second;
        int bottomDirection;  // -1 left, 0 still, 1 right
        int topDirection;
    };
    PadState left;
    left.left = true;
    PadState right;
    right.right = true;
    const Row rows[] = {{PadState(), PadState(), 0, 0},
                        {left, PadState(), -1, 0},
                        {PadState(), right, 0, 1},
                        {right, left, 1, -1}};
    PushState(game->PlayState);
    for (const Row& row : rows) {
        Feed(row.first, row.second);
        PollPads();
        const int bottom = VelocityAfterSteering(BOTTOM_PADDLE);
        const int top = VelocityAfterSteering(TOP_PADDLE);
        EXPECT_EQ((bottom > 0) - (bottom < 0), row.bottomDirection);
        EXPECT_EQ((top > 0) - (top < 0), row.topDirection);
        EXPECT_TRUE(QueuedKeyPresses().empty()) << "held directions in play queue nothing";
    }
}

TEST_F(GamepadTest, APadSteersTheFrameItIsReadInAndANewGameStartsWithNoneHeld) {
    PadState left;
    left.left = true;
    PushState(game->PlayState);
    Feed(left, PadState());
    TakePlayEvent();
    EXPECT_EQ(VelocityAfterSteering(BOTTOM_PADDLE), -1)
        << "the lean is read first in the frame, before the paddle is steered, as a key is";

    Feed(left, PadState());
    PollPads();
    ReleasePadSteering();
    EXPECT_FALSE(PadHolds(SDLK_LEFT)) << "a pad released before a game steers none of it";
}

TEST_F(GamepadTest, PlayGetsOnlyStartAsAPauseKeyOncePerPress) {
    PushState(game->PlayState);
    PadState start;
    start.start = true;
    start.left = true;
    start.confirm = true;
    for (int frame = 0; frame < 5; ++frame) {
        Feed(start, PadState());
        PollPads();
    }
    EXPECT_EQ(QueuedKeyPresses(), std::vector<SDLKey>{SDLK_p});
}

TEST_F(GamepadTest, MenuIsChosenWithPressesOfTheStickAndFirstButton) {
    PushState(MenuState);
    PadState down;
    down.down = true;
    PadState confirm;
    confirm.confirm = true;
    // Down held for three frames is one step; then the button is Enter on "Help".
    for (const PadState& pad : {down, down, down, PadState(), confirm, confirm}) {
        Feed(pad, PadState());
        PollPads();
    }
    ZemMenu menu;
    menu.AddOption("Play");
    menu.AddOption("Help");
    menu.AddOption("Quit");
    SDL_Event event;
    int choice = -1;
    for (int pass = 0; pass < 5 && choice == -1; ++pass) {
        choice = menu.AcceptChoice(event);
    }
    EXPECT_EQ(choice, 1);
    EXPECT_EQ(PendingEvents(), 0) << "a held button is one press";
}

}  // namespace
