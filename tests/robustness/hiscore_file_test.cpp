// Hostile high score files: the number is read when it can be, the game always plays on, and
// a new high score is kept wherever the file system lets it be kept.

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "shell/globals.h"
#include "shell/hiscore.h"
#include "tests/robustness/game_session.h"

namespace fs = std::filesystem;

namespace {

// Long enough for the ball to reach the brick above the serve and score.
const int SCORING_FRAMES = 400;

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

    static bool Writable(const fs::path& path) {
        return (fs::status(path).permissions() & fs::perms::owner_write) != fs::perms::none;
    }
};

}  // namespace

TEST_F(HostileHiScoreTest, HugeContentIsNoNumberAndTheNewScoreReplacesIt) {
    dir.WriteFile(HISCORE_FILE, std::string(10 * 1000 * 1000, '9'));

    EXPECT_EQ(RunGame(SCORING_FRAMES), 0);

    ExpectANewHighScoreKept();
}

TEST_F(HostileHiScoreTest, ANumberTooBigForAnIntCountsAsNone) {
    dir.WriteFile(HISCORE_FILE, "99999999999");

    EXPECT_EQ(RunGame(), 0);

    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");
}

TEST_F(HostileHiScoreTest, ANegativeScoreIsKeptUntilAGameBeatsIt) {
    dir.WriteFile(HISCORE_FILE, "-5");
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "-5");

    EXPECT_EQ(RunGame(SCORING_FRAMES), 0);
    ExpectANewHighScoreKept();
}

TEST_F(HostileHiScoreTest, BlankOrJunkContentReadsAsZeroAndIsRewritten) {
    for (const char* contents : {"", "   \n\t", "best: 900", "\x01\x02\xff\xfe junk"}) {
        dir.WriteFile(HISCORE_FILE, contents);
        EXPECT_EQ(RunGame(), 0) << Shown(contents);
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0") << Shown(contents);
    }
}

TEST_F(HostileHiScoreTest, AMissingFileStartsAtZeroAndIsMadeAtTheEnd) {
    EXPECT_EQ(RunGame(SCORING_FRAMES), 0);

    ExpectANewHighScoreKept();
}

TEST_F(HostileHiScoreTest, ACutFileGivesTheDigitsThatAreLeft) {
    const std::pair<const char*, const char*> cuts[] = {{"12", "12"}, {"-", "0"}, {"-4", "-4"}};
    for (const auto& [left, written] : cuts) {
        dir.WriteFile(HISCORE_FILE, left);
        EXPECT_EQ(RunGame(), 0) << Shown(left);
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), written) << Shown(left);
    }
}

TEST_F(HostileHiScoreTest, AFolderInPlaceOfTheFileIsLeftAsItIsAndThePlayGoesOn) {
    fs::create_directory(HISCORE_FILE);
    dir.WriteFile(std::string(HISCORE_FILE) + "/keep", "kept");

    EXPECT_EQ(RunGame(SCORING_FRAMES), 0);

    EXPECT_GT(hiScore, 0) << "the game was played for points";
    EXPECT_TRUE(fs::is_directory(HISCORE_FILE));
    EXPECT_EQ(dir.ReadFile(std::string(HISCORE_FILE) + "/keep"), "kept");
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        entries += entry.path().filename().string().rfind(HISCORE_FILE, 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(entries, 1) << "no half-made score file is left beside the folder";
}

TEST_F(HostileHiScoreTest, AReadOnlyFileInAWritableFolderIsReplacedByTheNewScore) {
    dir.WriteFile(HISCORE_FILE, "0");
    fs::permissions(HISCORE_FILE,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    EXPECT_EQ(RunGameAsOrdinaryUser(SCORING_FRAMES, [] {}), 0);

    ExpectANewHighScoreKept();
}

TEST_F(HostileHiScoreTest, AReadOnlyFolderStillGetsTheNewScoreIntoItsWritableFile) {
    dir.WriteFile(HISCORE_FILE, "0");
    const std::string folder = dir.Path();

    EXPECT_EQ(RunGameAsOrdinaryUser(SCORING_FRAMES,
                                    [folder] { chmod(folder.c_str(), S_IRUSR | S_IXUSR); }),
              0);

    EXPECT_FALSE(Writable(folder)) << "the folder was not locked";
    fs::permissions(folder, fs::perms::owner_all);
    ExpectANewHighScoreKept();
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 6)
        << "the four start-up files, the level map, the score and nothing else";
}

TEST_F(HostileHiScoreTest, NothingWritableKeepsTheOldScoreAndThePlayStillEndsWell) {
    dir.WriteFile(HISCORE_FILE, "0");
    fs::permissions(HISCORE_FILE, fs::perms::owner_read);
    const std::string folder = dir.Path();

    EXPECT_EQ(RunGameAsOrdinaryUser(SCORING_FRAMES,
                                    [folder] { chmod(folder.c_str(), S_IRUSR | S_IXUSR); }),
              0);

    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "0");
}
