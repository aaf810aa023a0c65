// Hostile high score files: the number is read when it can be, the game always plays on, and
// a new high score is kept wherever the file system lets it be kept.

#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "shell/globals.h"
#include "shell/hiscore.h"
#include "tests/robustness/game_session.h"

namespace fs = std::filesystem;

namespace {

// Long enough for the ball to reach the brick above the serve and score.
const int SCORING_FRAMES = 400;
// The four start-up files, the level map and the score.
const int FILES_IN_FOLDER = 6;

class HostileHiScoreTest : public GameSessionTest {
protected:
    void SetUp() override {
        GameSessionTest::SetUp();
        dir.CopyStartupFiles();
        WriteScoringLevel();
    }

    // The file holds a positive score as bare digits.
    void ExpectANewHighScoreKept() {
        const std::string kept = dir.ReadFile(HISCORE_FILE);
        EXPECT_GT(ReadHiScore(HISCORE_FILE), 0) << Shown(kept);
        EXPECT_EQ(kept, std::to_string(ReadHiScore(HISCORE_FILE)));
    }
};

}  // namespace

TEST_F(HostileHiScoreTest, WithoutPlayTheFileIsRewrittenWithTheIntItStartsWithOrZero) {
    // Blank or junk, too big for an int, cut short ("12" of "1234"), negative.
    // Blank or junk, too big for an int, cut short ("12" of "1234"), negative.
    const std::pair<const char*, const char*> cases[] = {
        {"", "0"},
        {"   \n\t", "0"},
        {"best: 900", "0"},
        {"\x01\x02\xff\xfe junk", "0"},
        {"99999999999", "0"},
        {"12", "12"},
        {"-", "0"},
        {"-4", "-4"},
        {"-5", "-5"},
    };
    for (const auto& [contents, written] : cases) {
        dir.WriteFile(HISCORE_FILE, contents);
        EXPECT_EQ(RunGame(), 0) << Shown(contents);
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), written) << Shown(contents);
    }
}

TEST_F(HostileHiScoreTest, AMissingHugeOrNegativeScoreGivesWayToTheNewHighScore) {
    const std::string huge(10 * 1000 * 1000, '9');
    for (const char* contents : {static_cast<const char*>(nullptr), huge.c_str(), "-5"}) {
        SCOPED_TRACE(contents == nullptr ? "missing" : Shown(contents));
        fs::remove(HISCORE_FILE);
        if (contents != nullptr) {
            dir.WriteFile(HISCORE_FILE, contents);
        }
        EXPECT_EQ(RunGame(SCORING_FRAMES), 0);
        ExpectANewHighScoreKept();
    }
}

TEST_F(HostileHiScoreTest, AFolderInPlaceOfTheFileIsLeftAsItIsAndThePlayGoesOn) {
    fs::create_directory(HISCORE_FILE);
    dir.WriteFile(std::string(HISCORE_FILE) + "/keep", "kept");

    EXPECT_EQ(RunGame(SCORING_FRAMES), 0);

    EXPECT_GT(hiScore, 0) << "the game was played for points";
    EXPECT_TRUE(fs::is_directory(HISCORE_FILE));
    EXPECT_EQ(dir.ReadFile(std::string(HISCORE_FILE) + "/keep"), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()),
              FILES_IN_FOLDER)
        << "no half-made score file is left beside the folder";
}

// Run as an ordinary user: a file this user may not write is left as it is, and the game
// says the score was not saved; a writable file keeps the new score even in a read-only
// folder. No half-made file is ever left behind.
TEST_F(HostileHiScoreTest, AReadOnlyFileIsKeptAndAWritableOneTakesTheNewScoreInAnyFolder) {
    const struct {
        const char* name;
        bool lockFile;
        bool lockFolder;
    } cases[] = {{"read-only file in a writable folder", true, false},
                 {"writable file in a read-only folder", false, true},
                 {"nothing writable", true, true}};
    const std::string folder = dir.Path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(HISCORE_FILE);
        dir.WriteFile(HISCORE_FILE, "0");
        if (c.lockFile) {
            fs::permissions(HISCORE_FILE, fs::perms::owner_read);
        }
        const bool lockFolder = c.lockFolder;

        testing::internal::CaptureStderr();
        EXPECT_EQ(RunGameAsOrdinaryUser(SCORING_FRAMES,
                                        [folder, lockFolder] {
                                            if (lockFolder) {
                                                chmod(folder.c_str(), S_IRUSR | S_IXUSR);
                                            }
                                        }),
                  0);
        const std::string said = testing::internal::GetCapturedStderr();

        const bool folderLocked =
            (fs::status(folder).permissions() & fs::perms::owner_write) == fs::perms::none;
        EXPECT_EQ(folderLocked, c.lockFolder);
        fs::permissions(folder, fs::perms::owner_all);
        if (c.lockFile) {
            EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");
            EXPECT_TRUE(std::regex_match(
                said, std::regex("brixolan: cannot save the high score [1-9][0-9]* in hiscore: "
                                 "Permission denied\n")))
                << said;
        } else {
            ExpectANewHighScoreKept();
            EXPECT_EQ(said, "");
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
                  FILES_IN_FOLDER);
    }
}
