#include <optional>

#include "framework/sound.h"
#include "platform/command_line.h"
#include "shell/controls.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "tamu/constants.h"
#include "tamu/draw.h"
#include "tamu/duel.h"
#include "tamu/game.h"
#include "tamu/linked_duel.h"
#include "tamu/opponent.h"

namespace tamu {

namespace {

// The computer players of this duel, when asked for: the top paddle with "--computer", both
// with "--demo" until a player takes the bottom one with Left or Right.
std::optional<Opponent> topComputer;
std::optional<Opponent> bottomComputer;
std::uint32_t duelsBegun = 0;

OpponentView ViewFor(const Paddle& paddle, bool facesUp) {
    OpponentView view;
    view.ballX = theBall.GetXPos();
    view.ballY = theBall.GetYPos();
    view.ballXVel = theBall.GetXVel();
    view.ballYVel = theBall.GetYVel();
    view.ballSize = BALL_SIZE;
    view.paddleX = paddle.GetXPos();
    view.paddleXVel = paddle.GetXVel();
    view.paddleWidth = paddle.GetXSize();
    view.lineY =
        facesUp ? paddle.GetYPos() + paddle.GetYSize() - 1 : paddle.GetYPos() - BALL_SIZE + 1;
    view.facesUp = facesUp;
    view.leftmostX = LEFT_BOUND.x + LEFT_BOUND.w;
    view.rightmostX = RIGHT_BOUND.x - BALL_SIZE;
    return view;
}

void ComputerControls(Opponent& computer, const Paddle& paddle, bool facesUp,
                      PaddleControls& controls) {
    const HeldKeys keys = computer.Decide(ViewFor(paddle, facesUp));
    controls.left = keys.left;
    controls.right = keys.right;
}

void TopComputerControls(int, PaddleControls& controls) {
    ComputerControls(*topComputer, otherPaddle, true, controls);
}

// In the demo, Left or Right hands the bottom paddle to the player for the rest of the duel.
void BottomComputerControls(int paddle, PaddleControls& controls) {
    HeldKeysAndPads(paddle, controls);
    if (controls.left || controls.right) {
        bottomComputer.reset();
        SetControlsSource(BOTTOM_PADDLE, nullptr);
        return;
    }
    ComputerControls(*bottomComputer, myPaddle, false, controls);
}

// Each computer asked for feeds its paddle; the others stay with the keys and pads.
void FeedComputers() {
    SetControlsSource(TOP_PADDLE, topComputer ? TopComputerControls : nullptr);
    SetControlsSource(BOTTOM_PADDLE, bottomComputer ? BottomComputerControls : nullptr);
}

}  // namespace

void PrePlay() {
    PaintPlayfield();
    RestoreDuel(OpeningDuel());
    lastFrame = timer.GetTicks();
    ChooseComputers(chosenOnCommandLine.computer, chosenOnCommandLine.demo, ++duelsBegun);
    if (LinkedDuelStarting()) {
        BeginLinkedDuel();
    }
}

void ChooseComputers(int topLevel, bool demo, std::uint32_t seed) {
    topComputer.reset();
    bottomComputer.reset();
    if (demo) {
        topComputer.emplace(OpponentLevel::NORMAL, seed);
        bottomComputer.emplace(OpponentLevel::NORMAL, seed + 1);
    } else if (topLevel >= 0) {
        topComputer.emplace(static_cast<OpponentLevel>(topLevel), seed);
    }
    FeedComputers();
}

void ChooseComputerLevels(int topLevel, int bottomLevel, std::uint32_t seed) {
    topComputer.reset();
    bottomComputer.reset();
    if (topLevel >= 0) {
        topComputer.emplace(static_cast<OpponentLevel>(topLevel), seed);
    }
    if (bottomLevel >= 0) {
        bottomComputer.emplace(static_cast<OpponentLevel>(bottomLevel), seed ^ 0x5bd1e995u);
    }
    FeedComputers();
}

int ComputerDirectionChanges(bool top) {
    const std::optional<Opponent>& computer = top ? topComputer : bottomComputer;
    return computer ? computer->DirectionChanges() : 0;
}

void PlayState() {
    if (LinkedDuelRunning()) {
        LinkedPlayState();
        return;
    }
    TakePlayEvent();
    PaddleControls controls[PADDLES];
    ReadControls(controls);
    ZEM_PlaySounds(StepDuel(controls));
    DrawGame();
}

void CapFrameRate() {
    WaitOutFrame(FRAME_PERIOD_MS);
    lastFrame = timer.GetTicks();
}

}  // namespace tamu
