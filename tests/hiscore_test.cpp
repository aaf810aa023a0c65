#include "shell/hiscore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/hiscore_save.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FolderContents(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(HiScoreReading, TakesTheIntAfterBlanksOrZeroWhenTheFileDoesNotStartWithOne) {
    ScratchDir dir;
    const std::pair<const char*, int> numbers[] = {
        {"42", 42}, {"\n\t 42\n", 42}, {"42 points", 42},       {"-17", -17},
        {"+8", 8},  {"007", 7},        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
    };
    for (const auto& [contents, expected] : numbers) {
        dir.WriteFile(HISCORE_FILE, contents);
        EXPECT_EQ(ReadHiScore(HISCORE_FILE), expected) << "file holding \"" << contents << "\"";
    }
    for (const char* junk :
         {"", "   \n", "x42", "- 5", "--3", "2147483648", "-2147483649", "\xff\xfe"}) {
        dir.WriteFile(HISCORE_FILE, junk);
        EXPECT_EQ(ReadHiScore(HISCORE_FILE), 0) << "file holding \"" << junk << "\"";
    }
    fs::remove(HISCORE_FILE);
    EXPECT_EQ(ReadHiScore(HISCORE_FILE), 0) << "no file";
    fs::create_directory(HISCORE_FILE);
    EXPECT_EQ(ReadHiScore(HISCORE_FILE), 0) << "a folder";
}

// However big the file, no more is read than a number with blanks around it can need.
TEST(HiScoreReading, ANumberMustEndWithinTheReadLimit) {
    ScratchDir dir;
    const std::string blanks(HISCORE_READ_LIMIT - 1, ' ');
    const std::string zeros(HISCORE_READ_LIMIT - 2, '0');
    const std::pair<std::string, int> cases[] = {
        {blanks + "7", 7},
        {blanks + " 7", 0},
        {zeros + "42", 42},
        {zeros + "421", 0},
        {"42" + std::string(10 * 1000 * 1000, ' '), 42},
    };
    for (const auto& [contents, expected] : cases) {
        dir.WriteFile(HISCORE_FILE, contents);
        EXPECT_EQ(ReadHiScore(HISCORE_FILE), expected) << contents.size() << " bytes";
    }
}

TEST(HiScoreWriting, ReplacesTheWholeFileWithBareDigitsThatReadBackTheSame) {
    ScratchDir dir;
    dir.WriteFile(HISCORE_FILE, "99999999 and a long tail\n");
    const std::pair<int, const char*> cases[] = {
        {5, "5"},
        {0, "0"},
        {1234, "1234"},
        {-56, "-56"},
        {INT_MAX, "2147483647"},
        {INT_MIN, "-2147483648"},
    };
    for (const auto& [value, text] : cases) {
        ASSERT_TRUE(WriteHiScore(HISCORE_FILE, value));
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), text);
        EXPECT_EQ(ReadHiScore(HISCORE_FILE), value);
    }
    EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{HISCORE_FILE})
        << "nothing but the file is left behind";
}

TEST(HiScoreWriting, GivesTheFileTheSameAccessAsAnyNewFile) {
    ScratchDir dir;
    std::ofstream("ordinary") << "x";
    ASSERT_TRUE(WriteHiScore(HISCORE_FILE, 3));
    EXPECT_EQ(fs::status(HISCORE_FILE).permissions(), fs::status("ordinary").permissions());
}

// A read-only "hiscore" is kept as it was, wherever it lies; a writable one in a folder that
// takes no new file is rewritten where it stands. Either way nothing else appears.
TEST(HiScoreWriting, KeepsAReadOnlyFileAndRewritesAWritableOneInAReadOnlyFolder) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits don't stop the superuser from writing";
    }
    ScratchDir dir;
    for (const bool folderWritable : {true, false}) {
        for (const bool fileWritable : {true, false}) {
            SCOPED_TRACE(std::string(fileWritable ? "writable" : "read-only") + " file in a " +
                         (folderWritable ? "writable" : "read-only") + " folder");
            fs::create_directory("locked");
            dir.WriteFile("locked/hiscore", "4321");
            if (!fileWritable) {
                fs::permissions("locked/hiscore", fs::perms::owner_read);
            }
            if (!folderWritable) {
                fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);
            }

            const bool written = WriteHiScore("locked/hiscore", 5);
            EXPECT_EQ(written, fileWritable);
            if (!written) {
                EXPECT_EQ(errno, EACCES);
            }

            fs::permissions("locked", fs::perms::owner_all);
            EXPECT_EQ(dir.ReadFile("locked/hiscore"), fileWritable ? "5" : "4321");
            EXPECT_EQ(FolderContents("locked"), std::vector<std::string>{"hiscore"});
            fs::remove_all("locked");
        }
    }
}

// A link named "hiscore" (to a file kept elsewhere, through another link, or to a file not
// made yet) stays a link, and the file it leads to gets the score.
TEST(HiScoreWriting, WritesTheFileALinkLeadsToAndKeepsTheLink) {
    ScratchDir dir;
    fs::create_directory("saves");
    const std::string absolute = dir.Path() + "/saves/score";
    const std::vector<std::pair<std::string, std::string>> links[] = {
        {{HISCORE_FILE, "saves/score"}},
        {{HISCORE_FILE, absolute}},
        {{HISCORE_FILE, "saves/link"}, {"saves/link", "score"}},
    };
    for (const bool targetExists : {true, false}) {
        for (const auto& chain : links) {
            SCOPED_TRACE(chain.back().second + (targetExists ? "" : ", not made yet"));
            if (targetExists) {
                dir.WriteFile("saves/score", "77");
            }
            for (const auto& [link, target] : chain) {
                fs::create_symlink(target, link);
            }

            EXPECT_TRUE(WriteHiScore(HISCORE_FILE, 5));

            for (const auto& [link, target] : chain) {
                EXPECT_TRUE(fs::is_symlink(link));
                EXPECT_EQ(fs::read_symlink(link), target);
                fs::remove(link);
            }
            EXPECT_EQ(dir.ReadFile("saves/score"), "5");
            EXPECT_EQ(FolderContents("saves"), std::vector<std::string>{"score"});
            fs::remove("saves/score");
        }
    }
}

TEST(HiScoreWriting, KeepsTheFilesPermissions) {
    ScratchDir dir;
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::owner_write,
                                 fs::perms::owner_read | fs::perms::owner_write |
                                     fs::perms::group_read | fs::perms::others_read}) {
        dir.WriteFile(HISCORE_FILE, "1");
        fs::permissions(HISCORE_FILE, mode);
        EXPECT_TRUE(WriteHiScore(HISCORE_FILE, 2));
        EXPECT_EQ(fs::status(HISCORE_FILE).permissions(), mode);
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "2");
    }
}

TEST(HiScoreSaving, KeepsTheHigherOfTheStoredScoreAndTheGames) {
    ScratchDir dir;
    FakeClock clock;
    const struct {
        const char* stored;  // null: no file
        int game;
        const char* saved;
    } cases[] = {{"50", 30, "50"},  {"50", 70, "70"},    {"-9", -12, "-9"},
                 {"junk", -3, "0"}, {nullptr, 12, "12"}, {" 8\n", 8, "8"}};
    for (const auto& c : cases) {
        fs::remove(HISCORE_FILE);
        if (c.stored != nullptr) {
            dir.WriteFile(HISCORE_FILE, c.stored);
        }
        EXPECT_TRUE(SaveHiScore(HISCORE_FILE, c.game));
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), c.saved) << c.game;
    }
    EXPECT_TRUE(FakeClock::Delays().empty()) << "no copy held the lock: no wait";
}

// Two copies ending at once: each reads and writes the file only while it holds the lock on
// the folder, so neither writes back a lower score over the other's.
TEST(HiScoreSaving, WaitsWhileAnotherCopyHoldsTheLockOnlyAsLongAsItsPatienceLasts) {
    ScratchDir dir;
    FakeClock clock;
    dir.WriteFile(HISCORE_FILE, "50");
    int otherCopy = open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(otherCopy, LOCK_EX | LOCK_NB), 0);
    // The other copy saves its 90 and lets go while this one waits.
    FakeClock::OnDelay([&](Uint32) {
        if (otherCopy >= 0) {
            dir.WriteFile(HISCORE_FILE, "90");
            close(otherCopy);
            otherCopy = -1;
        }
    });
    EXPECT_TRUE(SaveHiScore(HISCORE_FILE, 60));
    ASSERT_EQ(otherCopy, -1) << "it did not wait for the lock";
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "90");

    // A copy that never lets go (stopped, say) holds the end up for a while, not for ever.
    otherCopy = open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(otherCopy, LOCK_EX | LOCK_NB), 0);
    FakeClock::OnDelay(nullptr);
    FakeClock::ClearDelays();
    EXPECT_TRUE(SaveHiScore(HISCORE_FILE, 95));
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "95");
    EXPECT_FALSE(FakeClock::Delays().empty());
    close(otherCopy);
}

// What a write killed midway leaves is cleared away at the next save; the player's own files
// that merely look alike stay.
TEST(HiScoreSaving, ClearsAwayTheTemporaryFilesOfKilledWrites) {
    ScratchDir dir;
    FakeClock clock;
    fs::create_directory("saves");
    fs::create_symlink("saves/score", HISCORE_FILE);
    const std::vector<std::string> players = {"score.backup", "score.saving-x",
                                              "score.saving-abc!23", "other.saving-Ab12Cd"};
    for (const std::string& name : players) {
        dir.WriteFile("saves/" + name, "1");
    }
    for (const char* leftOver : {"saves/score.saving-Ab12Cd", "saves/score.saving-000000"}) {
        dir.WriteFile(leftOver, "12");
    }

    EXPECT_TRUE(SaveHiScore(HISCORE_FILE, 3));

    std::vector<std::string> expected = players;
    expected.push_back("score");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderContents("saves"), expected);
    EXPECT_EQ(dir.ReadFile("saves/score"), "3");
}
