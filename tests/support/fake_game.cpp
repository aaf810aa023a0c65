#include "tests/support/fake_game.h"

#include "SDL.h"
#include "framework/present.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/main_loop.h"
#include "things/paddle.h"

FakeGameLog fakeGameLog;
std::function<void()> onFakeFrame;

namespace {

void PrePlay();
void PlayState();
void CapFrameRate();

}  // namespace

const ZemGame FAKE_GAME = {
    "Zem Testbed", {"Arrows  =  Move", "Z and X  =  Other", "      P  =  Pause"},
    false,         4,
    PrePlay,       PlayState,
    CapFrameRate,
};

void ResetFakeGame() {
    fakeGameLog = FakeGameLog();
    onFakeFrame = nullptr;
    ZEM_UseGame(FAKE_GAME);
}

namespace {

void PrePlay() {
    ++fakeGameLog.prePlayCalls;
    fakeGameLog.topAtPrePlay = StateStack.empty() ? nullptr : StateStack.top().statePointer;
    fakeGameLog.depthAtPrePlay = StateStack.size();
    lastFrame = timer.GetTicks();
}

void PlayState() {
    ++fakeGameLog.playStateCalls;
    SDL_FillRect(screen, nullptr,
                 SDL_MapRGB(screen->format, FAKE_PLAY_RED, FAKE_PLAY_GREEN, FAKE_PLAY_BLUE));
    ZEM_Flip(screen);
    if (!SDL_PollEvent(&event)) {
        return;
    }
    if (event.type == SDL_QUIT) {
        EmptyStateStack();
    } else if (event.type == SDL_KEYDOWN) {
        SDLKey key = event.key.keysym.sym;
        if (key == SDLK_p || key == SDLK_ESCAPE) {
            PushState(PauseState);
        } else if (key == SDLK_l) {
            StateStack.pop();
            PushState(LoseState);
        }
    }
}

void CapFrameRate() {
    ++fakeGameLog.capFrameRateCalls;
    fakeGameLog.topAfterEachPass.push_back(StateStack.empty() ? nullptr
                                                              : StateStack.top().statePointer);
    lastFrame = timer.GetTicks();
    if (onFakeFrame) {
        onFakeFrame();
    }
}

}  // namespace
