// Damaged pictures and fonts: each either stops the program at start-up with status 1 and
// the high score file untouched, or the game plays on and ends normally.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "shell/startup.h"
#include "tests/robustness/game_session.h"
#include "tests/support/sdl_test.h"

namespace fs = std::filesystem;

namespace {

const char* const STARTUP_FILES[] = {"menubox.bmp", "background640.jpg", "impact.ttf", "arial.ttf"};
const char* const OLD_HISCORE = "77\n";
const int PLAY_FRAMES = 60;

const Rgb TEXTURE_RED{200, 40, 40};

int CountPixels(SDL_Surface* surface, Rgb colour) {
    int count = 0;
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            count += ColourAt(surface, x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

enum class Damage { MISSING, EMPTY, CUT_IN_HALF, TEXT, FOLDER };

struct DamagedFile {
    const char* name;
    Damage damage;
    const char* label;
};

void Spoil(ScratchDir& dir, const DamagedFile& file) {
    const std::string whole = dir.ReadFile(file.name);
    fs::remove(file.name);
    switch (file.damage) {
        case Damage::MISSING:
            break;
        case Damage::EMPTY:
            dir.WriteFile(file.name, "");
            break;
        case Damage::CUT_IN_HALF:
            dir.WriteFile(file.name, whole.substr(0, whole.size() / 2));
            break;
        case Damage::TEXT:
            dir.WriteFile(file.name, "This is not what the name says.\n");
            break;
        case Damage::FOLDER:
            fs::create_directory(file.name);
            break;
    }
}

class RefusedFileTest : public GameSessionTest,
                        public ::testing::WithParamInterface<DamagedFile> {};

std::vector<DamagedFile> RefusedFiles() {
    std::vector<DamagedFile> cases;
    const std::pair<Damage, const char*> damages[] = {{Damage::MISSING, "missing"},
                                                      {Damage::EMPTY, "empty"},
                                                      {Damage::TEXT, "text"},
                                                      {Damage::FOLDER, "folder"}};
    for (const char* name : STARTUP_FILES) {
        for (const auto& [damage, label] : damages) {
            cases.push_back({name, damage, label});
        }
    }
    // A cut BMP is no picture at all; a cut JPEG or font still is one (see below).
    cases.push_back({"menubox.bmp", Damage::CUT_IN_HALF, "cut_in_half"});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<DamagedFile>& info) {
    std::string name = info.param.name;
    return name.substr(0, name.find('.')) + "_" + info.param.label;
}

}  // namespace

TEST_P(RefusedFileTest, EndsStartUpWithStatusOneAndKeepsTheHighScoreFile) {
    dir.CopyStartupFiles();
    dir.WriteFile(HISCORE_FILE, OLD_HISCORE);
    Spoil(dir, GetParam());

    EXPECT_EQ(RunGame(), 1);

    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), OLD_HISCORE);
    EXPECT_EQ(menu, nullptr) << "no screen may have run";
}

INSTANTIATE_TEST_SUITE_P(EachStartupFile, RefusedFileTest, ::testing::ValuesIn(RefusedFiles()),
                         CaseName);

using PlayableFileTest = GameSessionTest;

TEST_F(PlayableFileTest, ACutBackgroundPictureStillLoadsAndTheGamePlaysOn) {
    dir.CopyStartupFiles();
    Spoil(dir, {"background640.jpg", Damage::CUT_IN_HALF, "cut"});
    dir.WriteFile(HISCORE_FILE, OLD_HISCORE);

    EXPECT_EQ(RunGame(PLAY_FRAMES), 0);

    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "77");
}

TEST_F(PlayableFileTest, ABoxTextureSmallerThanNinetySquareDrawsWhatItHasAndPlaysOn) {
    dir.CopyStartupFiles();
    // Tiles of 20 instead of 30: every tile rectangle reaches past the picture's edge.
    SDL_Surface* small = SDL_CreateRGBSurface(0, 60, 60, 32, 0xff0000, 0xff00, 0xff, 0);
    ASSERT_NE(small, nullptr);
    SDL_FillRect(small, nullptr,
                 SDL_MapRGB(small->format, TEXTURE_RED.r, TEXTURE_RED.g, TEXTURE_RED.b));
    ASSERT_EQ(SDL_SaveBMP(small, "menubox.bmp"), 0);
    SDL_FreeSurface(small);
    int menuPasses = 0;
    int texturePixels = 0;
    clock.OnDelay([&menuPasses, &texturePixels](Uint32) {
        if (++menuPasses == 1) {
            texturePixels = CountPixels(screen, TEXTURE_RED);
            PushKeyDown(SDLK_DOWN);
            PushKeyDown(SDLK_RETURN);  // the help screen draws a box too
            PushKeyDown(SDLK_RETURN);
            PushKeyDown(SDLK_DOWN);
            PushKeyDown(SDLK_DOWN);
            PushKeyDown(SDLK_RETURN);
        }
    });
    char program[] = "brixolan";
    char* argv[] = {program, nullptr};

    EXPECT_EQ(SDL_main(1, argv), 0);

    EXPECT_GT(menuPasses, 3);
    EXPECT_GT(texturePixels, 0) << "the parts of the box the picture has are drawn";
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");
}

TEST_F(PlayableFileTest, APictureOfAnotherFormatUnderTheBoxNameIsTakenForWhatItIs) {
    dir.CopyStartupFiles();
    fs::copy_file("background640.jpg", "menubox.bmp", fs::copy_options::overwrite_existing);

    EXPECT_EQ(RunGame(PLAY_FRAMES), 0);

    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");
}

TEST_F(PlayableFileTest, ACutFontStillOpensAndTheGamePlaysOnWithTheTextItCanRender) {
    // The font library reads glyphs only when it needs them, so a cut font still opens; a
    // line it can't render is left out.
    for (const char* name : {"impact.ttf", "arial.ttf"}) {
        for (int percent = 10; percent < 100; percent += 20) {
            dir.CopyStartupFiles();
            const std::string whole = dir.ReadFile(name);
            dir.WriteFile(name, whole.substr(0, whole.size() * percent / 100));
            dir.WriteFile(HISCORE_FILE, OLD_HISCORE);

            EXPECT_EQ(RunGame(PLAY_FRAMES), 0) << name << " cut to " << percent << "%";

            EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "77") << name << " cut to " << percent << "%";
            ReleaseAllKeys();
        }
    }
}
