#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "shell/game.h"

// A stand-in game for the shell's tests. Its play state paints the screen the FAKE_PLAY_*
// colours and takes one event per frame: a quit request empties the stack, P or Escape
// pushes the pause screen, and L stands for losing the last life (play gives way to the lose
// screen). Its pacer only records the pass and hands control to the test.

const int FAKE_PLAY_RED = 20;
const int FAKE_PLAY_GREEN = 90;
const int FAKE_PLAY_BLUE = 40;

// What the shell has asked of the game so far.
struct FakeGameLog {
    int prePlayCalls = 0;
    int playStateCalls = 0;
    int capFrameRateCalls = 0;
    // The state on top when PrePlay ran, and how deep the stack was then.
    void (*topAtPrePlay)() = nullptr;
    size_t depthAtPrePlay = 0;
    // The state on top right after each state call (null: the stack was empty).
    std::vector<void (*)()> topAfterEachPass;
};

extern FakeGameLog fakeGameLog;

// Called by CapFrameRate after it has logged the pass.
extern std::function<void()> onFakeFrame;

// The stand-in game's record.
extern const ZemGame FAKE_GAME;

// Forgets the log and the hook, and makes the stand-in the game the shell runs.
void ResetFakeGame();
