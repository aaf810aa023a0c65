// Named pipes and devices under a data file's name: the games read only ordinary files, so
// such a name never holds a game up (a pipe blocks its reader until something writes into
// it) nor feeds it without end (a device).

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "SDL.h"

#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "tests/robustness/game_session.h"
#include "tests/support/game_screen.h"

namespace fs = std::filesystem;

namespace {

const int PLAY_FRAMES = 60;
// Enough for the serve to reach the strong brick of the scoring level.
const int SCORING_FRAMES = 400;

class PipeOrDeviceTest : public GameSessionTest {
protected:
    void MakePipe(const std::string& name) {
        fs::remove(name);
        ASSERT_EQ(mkfifo(name.c_str(), 0600), 0) << name;
    }
    void LinkToDevice(const std::string& name, const char* device) {
        fs::remove(name);
        fs::create_symlink(device, name);
    }
};

}  // namespace

TEST_F(PipeOrDeviceTest, APipeUnderAPictureOrFontNameEndsStartUpWithStatusOne) {
    for (const char* name : STARTUP_FILES) {
        SCOPED_TRACE(name);
        dir.CopyStartupFiles();
        dir.WriteFile("hiscore", "42");
        MakePipe(name);

        EXPECT_EQ(RunGame(), 1);

        // The window is named before any file is looked at, so a slow start-up already
        // shows whose window it is.
        char* caption = nullptr;
        SDL_WM_GetCaption(&caption, nullptr);
        EXPECT_STREQ(caption, brixolan::GAME.caption);

        EXPECT_EQ(dir.ReadFile("hiscore"), "42") << "a failed start-up writes no score";
        ReleaseWhatStartUpLeft();
        fs::remove(name);
    }
}

TEST_F(PipeOrDeviceTest, APipeOrADeviceUnderTheLevelMapNameHoldsNoLevelAndThePlayGoesOn) {
    dir.CopyStartupFiles();
    for (const char* device : {"", "/dev/zero", "/dev/urandom"}) {
        SCOPED_TRACE(*device != '\0' ? device : "named pipe");
        if (*device == '\0') {
            MakePipe("levelmaps");
        } else {
            LinkToDevice("levelmaps", device);
        }

        brixolan::LoadLevel(1);
        EXPECT_TRUE(brixolan::theBricks.empty());

        EXPECT_EQ(RunGame(PLAY_FRAMES), 0);
        ReleaseWhatStartUpLeft();
    }
}

TEST_F(PipeOrDeviceTest, APipeUnderTheHighScoreNameReadsAsZeroAndGivesWayToTheNewScore) {
    dir.CopyStartupFiles();
    WriteScoringLevel();
    MakePipe("hiscore");

    EXPECT_EQ(RunGame(SCORING_FRAMES), 0);

    ASSERT_GT(hiScore, 0) << "the game was played for points";
    EXPECT_TRUE(fs::is_regular_file("hiscore"));
    EXPECT_EQ(dir.ReadFile("hiscore"), std::to_string(hiScore));
}
