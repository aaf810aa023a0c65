#include <string>

#include "brixolan/cleared_screen.h"
#include "brixolan/constants.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "brixolan/round.h"
#include "framework/clock.h"
#include "framework/sound.h"
#include "platform/command_line.h"
#include "shell/controls.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "shell/main_loop.h"
#include "shell/screens.h"

namespace brixolan {

namespace {

const Uint32 CAPTION_EVERY_MASK = 7;  // the caption changes when lastFrame is a multiple of 8
const Uint32 MS_PER_SECOND = 1000;

// The lose screen takes the place of play, and of a pause asked for in the same frame. After
// a quit request the stack is already empty and the program simply ends.
void CheckLost(bool pausedThisFrame) {
    if (lives != 0 || StateStack.empty()) {
        return;
    }
    if (pausedThisFrame && StateOnTop(PauseState)) {
        StateStack.pop();
    }
    StateStack.pop();
    PushState(LoseState);
    ZEM_PlaySound(SOUND_GAME_LOST);
}

// A player who has just knocked out the last brick of the last level is told so before play
// goes on at the first level.
void CheckAllCleared(const RoundNews& news) {
    if (news.allLevelsCleared && lives > 0 && !StateStack.empty()) {
        PushState(AllClearedState);
    }
}

}  // namespace

void PrePlay() {
    BeginRound();
    lastFrame = timer.GetTicks();
    DrawGame();
    ZEM_Delay(START_DELAY_MS);
}

void PlayState() {
    const bool paused = TakePlayEvent();
    PaddleControls controls[PADDLES];
    ReadControls(controls);
    const RoundNews news = StepRound(controls);
    ZEM_PlaySounds(news.sounds);
    for (int lost = 0; lost < news.ballsLost; ++lost) {
        ZEM_Delay(LOST_BALL_DELAY_MS);
    }
    if (score > hiScore) {
        hiScore = score;
    }
    CheckLost(paused);
    CheckAllCleared(news);
    DrawGame();
}

namespace {

// A set of the player's own stays named in the caption while it plays.
std::string LevelSetInCaption() {
    const std::string name = LevelSetName(chosenOnCommandLine.levels);
    return name.empty() ? "" : " (" + name + ")";
}

}  // namespace

void CapFrameRate() {
    WaitOutFrame(FRAME_PERIOD_MS);

    // The wait keeps the interval at 7 or more; should it ever read 0, the caption stays.
    const Uint32 elapsed = timer.GetTicks() - lastFrame;
    if ((lastFrame & CAPTION_EVERY_MASK) == 0 && elapsed != 0) {
        const std::string caption = "Now running at " + std::to_string(MS_PER_SECOND / elapsed) +
                                    " frames per second." + LevelSetInCaption();
        SDL_WM_SetCaption(caption.c_str(), nullptr);
    }
    lastFrame = timer.GetTicks();
}

}  // namespace brixolan
