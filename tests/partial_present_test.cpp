// Play draws and presents only the places a frame changed. The window must show exactly what
// drawing and presenting whole frames would: a shadow of the window takes only what is
// presented, over long sessions of both games.
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "brixolan/game.h"
#include "framework/kept_text.h"
#include "framework/present.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "shell/screens.h"
#include "tamu/game.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/support/sprite_shots.h"

namespace {

const int PLAY_FRAMES = 2600;
const int RUNAWAY_DELAYS = 20000;

// What the window shows, as told by the presents alone.
struct Shadow {
    SDL_Surface* window = nullptr;
    int partialPresents = 0;
    // Makes every screen draw and present its next picture whole.
    bool forgetAfterEachPresent = false;
} shadow;

void CopyArea(SDL_Surface* from, const SDL_Rect& area) {
    if (shadow.window == nullptr) {
        shadow.window = SDL_CreateRGBSurface(0, from->w, from->h, from->format->BitsPerPixel,
                                             from->format->Rmask, from->format->Gmask,
                                             from->format->Bmask, from->format->Amask);
    }
    const int bytes = from->format->BytesPerPixel;
    for (int y = area.y; y < area.y + area.h; ++y) {
        std::memcpy(
            static_cast<Uint8*>(shadow.window->pixels) + y * shadow.window->pitch + area.x * bytes,
            static_cast<Uint8*>(from->pixels) + y * from->pitch + area.x * bytes, area.w * bytes);
    }
}

void ShadowFlip(SDL_Surface* screenNow) {
    CopyArea(screenNow, ZEM_Rect(0, 0, screenNow->w, screenNow->h));
    if (shadow.forgetAfterEachPresent) {
        ZEM_ForgetKeptPictures();
    }
}

void ShadowUpdateRects(SDL_Surface* screenNow, int count, SDL_Rect* rects) {
    ++shadow.partialPresents;
    for (int i = 0; i < count; ++i) {
        ASSERT_GE(rects[i].x, 0);
        ASSERT_GE(rects[i].y, 0);
        ASSERT_LE(rects[i].x + rects[i].w, screenNow->w);
        ASSERT_LE(rects[i].y + rects[i].h, screenNow->h);
        CopyArea(screenNow, rects[i]);
    }
}

// A fingerprint of what the window shows now.
size_t WindowPrint() {
    if (shadow.window == nullptr) {
        return 0;
    }
    const char* pixels = static_cast<const char*>(shadow.window->pixels);
    return std::hash<std::string_view>()(
        std::string_view(pixels, static_cast<size_t>(shadow.window->pitch) * shadow.window->h));
}

// What the session does to each game at set frames of play, beyond keys.
struct GameUnderTest {
    const ZemGame* game;
    const char* program;
    std::vector<SDLKey> steeringKeys;
    std::function<void(int)> setScore;
    std::function<void()> loseBall;
    std::function<void()> clearLevel;
};

const GameUnderTest BRIXOLAN = {
    &brixolan::GAME,
    "brixolan",
    {SDLK_LEFT, SDLK_RIGHT},
    [](int points) { brixolan::score = points; },
    [] {
        theBall.SetBothPos(300, 450);
        theBall.SetBothVel(0, 3);
    },
    [] { brixolan::theBricks.clear(); },
};

const GameUnderTest TAMU = {
    &tamu::GAME,
    "tamu",
    {SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x},
    [](int points) { tamu::myScore = points; },
    [] {
        theBall.SetBothPos(300, 20);
        theBall.SetBothVel(0, -3);
    },
    [] {},
};

void PushKeys(std::initializer_list<SDLKey> keys) {
    for (SDLKey key : keys) {
        PushKeyDown(key);
    }
}

// One frame of the script: steering changes now and then, a pause that continues, a score
// gaining a digit, a lost ball, a new level, a return to the menu and play again.
void PlayScript(const GameUnderTest& tested, int frame) {
    const size_t keyCount = tested.steeringKeys.size();
    if (frame % 45 == 0) {
        ReleaseAllKeys();
        HoldKey(tested.steeringKeys[(frame / 45) % keyCount]);
        if (keyCount > 2) {
            HoldKey(tested.steeringKeys[(frame / 45 + 3) % keyCount]);
        }
    }
    switch (frame) {
        case 200:
            PushKeys({SDLK_p, SDLK_DOWN, SDLK_UP, SDLK_RETURN});
            break;
        case 400:
            tested.setScore(9);
            break;
        case 460:
            tested.setScore(10);
            break;
        case 600:
        case 1700:
            tested.loseBall();
            break;
        case 900:
        case 2000:
            tested.clearLevel();
            break;
        case 1200:
            PushKeys({SDLK_ESCAPE, SDLK_DOWN, SDLK_RETURN});
            break;
        default:
            break;
    }
}

class PartialPresentTest : public ::testing::TestWithParam<GameUnderTest> {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ZEM_SetPresenter(ShadowFlip, ShadowUpdateRects);
    }

    void TearDown() override { ZEM_SetPresenter(nullptr, nullptr); }
};

// The window at every delay of a whole session; with everyFrameWhole, every screen draws and
// presents its whole picture every time, as forgetting the kept pictures demands.
std::vector<size_t> RunSession(const GameUnderTest& tested, bool everyFrameWhole) {
    shadow = Shadow{};
    shadow.forgetAfterEachPresent = everyFrameWhole;
    FakeClock clock;
    ScratchDir dir;
    dir.CopyStartupFiles();
    dir.CopyGameFile("levelmaps");
    std::vector<size_t> prints;
    int frames = 0;
    // Keys for the screens around play go in only when nothing is queued for them.
    FakeClock::OnDelay([&](Uint32) {
        prints.push_back(WindowPrint());
        if (prints.size() >= RUNAWAY_DELAYS) {
            ReleaseAllKeys();
            EmptyStateStack();
            return;
        }
        if (PendingEvents() != 0) {
            return;
        }
        if (StateOnTop(tested.game->PlayState)) {
            PlayScript(tested, ++frames);
        } else if (StateOnTop(MenuState)) {
            ReleaseAllKeys();
            if (frames < PLAY_FRAMES) {
                PushKeys({SDLK_RETURN});
            } else {
                PushKeys({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
            }
        } else if (StateOnTop(LoseState)) {
            PushKeys({SDLK_RETURN});
        }
        if (frames == PLAY_FRAMES && StateOnTop(tested.game->PlayState)) {
            PushKeys({SDLK_p, SDLK_DOWN, SDLK_RETURN});
        }
    });
    char program[64];
    std::strcpy(program, tested.program);
    char* argv[] = {program, nullptr};
    EXPECT_EQ(ZEM_RunGame(*tested.game, 1, argv), 0);
    DropSpriteShots();
    EXPECT_LT(prints.size(), RUNAWAY_DELAYS) << "the session did not end";
    EXPECT_EQ(frames, PLAY_FRAMES);
    FakeClock::OnDelay(nullptr);
    ReleaseWhatStartUpLeft();
    ReleaseAllKeys();
    SDL_FreeSurface(shadow.window);
    shadow.window = nullptr;
    return prints;
}

// The same session twice: once with every frame drawn and presented whole, once as the game
// does it. After every pass the window must show the same picture.
TEST_P(PartialPresentTest, TheWindowShowsWhatWholeFramesWouldAfterEveryPass) {
    const std::vector<size_t> whole = RunSession(GetParam(), true);
    ASSERT_EQ(shadow.partialPresents, 0);
    const std::vector<size_t> partial = RunSession(GetParam(), false);
    EXPECT_GT(shadow.partialPresents, PLAY_FRAMES / 2) << "play presents whole frames only";
    ASSERT_EQ(partial.size(), whole.size());
    for (size_t pass = 0; pass < whole.size(); ++pass) {
        ASSERT_EQ(partial[pass], whole[pass]) << "the window differs after pass " << pass;
    }
}

INSTANTIATE_TEST_SUITE_P(BothGames, PartialPresentTest, ::testing::Values(BRIXOLAN, TAMU),
                         [](const ::testing::TestParamInfo<GameUnderTest>& info) {
                             return std::string(info.param.program);
                         });

}  // namespace
