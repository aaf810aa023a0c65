#include "tests/support/fake_game.h"

#include "SDL.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/state_stack.h"
#include "things/paddle.h"

FakeGameLog fakeGameLog;
std::function<void()> onFakeFrame;

const char* const GAME_CAPTION = "Zem Testbed";
const std::vector<const char*> HELP_LINES = {"Arrows  =  Move", "Z and X  =  Other",
                                             "      P  =  Pause"};
const bool PAUSE_SAVES_SCREEN = false;

int Paddle::speedLimit = 4;

void ResetFakeGame() {
    fakeGameLog = FakeGameLog();
    onFakeFrame = nullptr;
}

void PrePlay() {
    ++fakeGameLog.prePlayCalls;
    fakeGameLog.topAtPrePlay = StateStack.empty() ? nullptr : StateStack.top().statePointer;
    fakeGameLog.depthAtPrePlay = StateStack.size();
    lastFrame = timer.GetTicks();
}

static void EmptyStack() {
    while (!StateStack.empty()) {
        StateStack.pop();
    }
}

void PlayState() {
    ++fakeGameLog.playStateCalls;
    SDL_FillRect(screen, nullptr,
                 SDL_MapRGB(screen->format, FAKE_PLAY_RED, FAKE_PLAY_GREEN, FAKE_PLAY_BLUE));
    SDL_Flip(screen);
    if (!SDL_PollEvent(&event)) {
        return;
    }
    if (event.type == SDL_QUIT) {
        EmptyStack();
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
