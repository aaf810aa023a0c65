// Damaged pictures and fonts: each either stops the program at start-up with status 1 and
// the high score file untouched, or the game plays on and ends normally.

#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "tests/robustness/game_session.h"
#include "tests/support/sdl_test.h"

namespace fs = std::filesystem;

namespace {

const char* const OLD_HISCORE = "77\n";
const int PLAY_FRAMES = 60;

const Rgb TEXTURE_RED{200, 40, 40};

// Keeps the first part of the file, as a copy cut short would.
void Cut(ScratchDir& dir, const std::string& name, int percent) {
    const std::string whole = dir.ReadFile(name);
    dir.WriteFile(name, whole.substr(0, whole.size() * percent / 100));
}

// Spoils a start-up file the way its label says: missing, empty, text, folder or cut_in_half.
void Spoil(ScratchDir& dir, const std::string& name, const std::string& damage) {
    if (damage == "cut_in_half") {
        Cut(dir, name, 50);
        return;
    }
    fs::remove(name);
    if (damage == "empty") {
        dir.WriteFile(name, "");
    } else if (damage == "text") {
        dir.WriteFile(name, "This is not what the name says.\n");
    } else if (damage == "folder") {
        fs::create_directory(name);
    }
}

using DamagedFile = std::pair<const char*, const char*>;  // the file and its damage

class RefusedFileTest : public GameSessionTest,
                        public ::testing::WithParamInterface<DamagedFile> {};

std::vector<DamagedFile> RefusedFiles() {
    std::vector<DamagedFile> cases;
    for (const char* name : STARTUP_FILES) {
        for (const char* damage : {"missing", "empty", "text", "folder"}) {
            cases.push_back({name, damage});
        }
    }
    // A cut BMP is no picture at all; a cut JPEG or font still is one (see below).
    cases.push_back({"menubox.bmp", "cut_in_half"});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<DamagedFile>& info) {
    const std::string name = info.param.first;
    return name.substr(0, name.find('.')) + "_" + info.param.second;
}

}  // namespace

TEST_P(RefusedFileTest, EndsStartUpWithStatusOneAndKeepsTheHighScoreFile) {
    dir.CopyStartupFiles();
    dir.WriteFile(HISCORE_FILE, OLD_HISCORE);
    Spoil(dir, GetParam().first, GetParam().second);

    testing::internal::CaptureStderr();
    EXPECT_EQ(RunGame(), 1);
    const std::string said = testing::internal::GetCapturedStderr();

    // One line: the program, the file and why.
    const std::string damage = GetParam().second;
    const std::string why = damage == "missing"  ? "No such file or directory"
                            : damage == "folder" ? "Is a directory"
                                                 : ".+";
    EXPECT_TRUE(std::regex_match(
        said,
        std::regex("brixolan: cannot load " + std::string(GetParam().first) + ": " + why + "\n")))
        << said;
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), OLD_HISCORE);
    EXPECT_EQ(menu, nullptr) << "no screen may have run";
}

INSTANTIATE_TEST_SUITE_P(EachStartupFile, RefusedFileTest, ::testing::ValuesIn(RefusedFiles()),
                         CaseName);

using PlayableFileTest = GameSessionTest;

// A cut JPEG decodes to the part it has; the font library reads glyphs only when it needs
// them, so a cut font still opens and a line it can't render is left out; pictures are
// recognised by their content, not their name.
TEST_F(PlayableFileTest, DamagedFilesTheLoadersStillTakeLetTheGamePlayOn) {
    std::vector<std::pair<std::string, std::function<void()>>> cases = {
        {"background640.jpg cut in half", [this] { Cut(dir, "background640.jpg", 50); }},
        {"a JPEG named menubox.bmp", [] {
             fs::copy_file("background640.jpg", "menubox.bmp",
                           fs::copy_options::overwrite_existing);
         }}};
    for (const char* font : {"impact.ttf", "arial.ttf"}) {
        for (int percent = 10; percent < 100; percent += 20) {
            cases.push_back({std::string(font) + " cut to " + std::to_string(percent) + "%",
                             [this, font, percent] { Cut(dir, font, percent); }});
        }
    }
    for (const auto& [label, spoil] : cases) {
        SCOPED_TRACE(label);
        dir.CopyStartupFiles();
        dir.WriteFile(HISCORE_FILE, OLD_HISCORE);
        spoil();

        EXPECT_EQ(RunGame(PLAY_FRAMES), 0);

        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "77");
        ReleaseAllKeys();
    }
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
    int passes = 0;
    int texturePixels = 0;
    auto countOnFirstPass = [&passes, &texturePixels] {
        if (++passes > 1) {
            return;
        }
        for (int y = 0; y < screen->h; ++y) {
            for (int x = 0; x < screen->w; ++x) {
                texturePixels += ColourAt(screen, x, y) == TEXTURE_RED ? 1 : 0;
            }
        }
    };

    EXPECT_EQ(RunGame(0, countOnFirstPass), 0);

    EXPECT_GT(texturePixels, 0) << "the parts of the box the picture has are drawn";
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");
}
