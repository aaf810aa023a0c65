#include "platform/sound_switch.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "framework/sound.h"
#include "platform/hotkeys.h"
#include "platform/settings.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

SDL_Event Key(Uint8 type, SDLKey key) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return event;
}

// The sound device is SDL's dummy one here (the tests' environment).
class SoundSwitchTest : public SdlTest {
protected:
    void TearDown() override {
        StopSound();
        ZEM_SetSoundMuted(false);
        SdlTest::TearDown();
    }

    ScratchDir dir;
};

}  // namespace

// A start takes the remembered choice or the option, and writes nothing.
TEST_F(SoundSwitchTest, StartsSilentWhenRememberedOrAskedAndWritesNothing) {
    struct Case {
        const char* settings;  // null: no file
        bool option;
        bool muted;
    };
    const Case cases[] = {
        {nullptr, false, false},    {nullptr, true, true},         {"mute = 1\n", false, true},
        {"mute = 0\n", true, true}, {"mute = on\n", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.settings ? c.settings : "no file") << c.option);
        std::filesystem::remove(SETTINGS_FILE);
        if (c.settings != nullptr) {
            dir.WriteFile(SETTINGS_FILE, c.settings);
        }
        ZEM_SetSoundMuted(!c.muted);
        StartSound(c.option);
        EXPECT_EQ(ZEM_SoundMuted(), c.muted);
        ZEM_PlaySound(SOUND_PADDLE);
        StopSound();
        EXPECT_EQ(dir.Exists(SETTINGS_FILE), c.settings != nullptr);
        if (c.settings != nullptr) {
            EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), c.settings);
        }
    }
}

// M is taken before any screen sees it: each press flips the sound and is remembered at
// once, beside the other choices; its release does nothing; every other event goes on.
TEST_F(SoundSwitchTest, MFlipsTheSoundAndIsRememberedWhileOtherEventsPassUntouched) {
    dir.WriteFile(SETTINGS_FILE, "scale = 2\n");
    InstallHotkeys();
    EXPECT_EQ(SDL_GetEventFilter(), HotkeyFilter);

    const SDL_Event press = Key(SDL_KEYDOWN, SDLK_m);
    const SDL_Event release = Key(SDL_KEYUP, SDLK_m);
    EXPECT_EQ(HotkeyFilter(&press), 0);
    EXPECT_TRUE(ZEM_SoundMuted());
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), "scale = 2\nmute = 1\n");
    EXPECT_EQ(HotkeyFilter(&release), 0);
    EXPECT_TRUE(ZEM_SoundMuted());
    EXPECT_EQ(HotkeyFilter(&press), 0);
    EXPECT_FALSE(ZEM_SoundMuted());
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), "scale = 2\nmute = 0\n");

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    for (const SDL_Event& other : {Key(SDL_KEYDOWN, SDLK_p), Key(SDL_KEYDOWN, SDLK_RETURN),
                                   Key(SDL_KEYUP, SDLK_LEFT), Key(SDL_KEYDOWN, SDLK_n), quit}) {
        EXPECT_EQ(HotkeyFilter(&other), 1);
    }
    EXPECT_FALSE(ZEM_SoundMuted());
    EXPECT_EQ(dir.ReadFile(SETTINGS_FILE), "scale = 2\nmute = 0\n");
}
