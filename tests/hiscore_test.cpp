#include "shell/hiscore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

struct FileCase {
    const char* contents;
    int expected;
};

std::vector<std::string> FolderContents(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(HiScoreReading, TakesTheNumberAfterBlanksAndIgnoresWhatFollows) {
    ScratchDir dir;
    const FileCase cases[] = {
        {"42", 42},
        {"   42", 42},
        {"\n\t 42\n", 42},
        {"42\n", 42},
        {"42 points", 42},
        {"42abc", 42},
        {"-17", -17},
        {"+8", 8},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"12 34", 12},
    };
    for (const FileCase& c : cases) {
        dir.WriteFile(HISCORE_FILE, c.contents);
        EXPECT_EQ(ReadHiScore(HISCORE_FILE), c.expected) << "file holding \"" << c.contents << "\"";
    }
}

TEST(HiScoreReading, GivesZeroWhenTheFileDoesNotStartWithAnIntNumber) {
    ScratchDir dir;
    const char* junk[] = {"",        "   \n", "abc",        "x42",         "high 500",
                          "- 5",     "--3",   "2147483648", "-2147483649", "99999999999999999999",
                          "\xff\xfe"};
    for (const char* contents : junk) {
        dir.WriteFile(HISCORE_FILE, contents);
        EXPECT_EQ(ReadHiScore(HISCORE_FILE), 0) << "file holding \"" << contents << "\"";
    }
}

TEST(HiScoreReading, GivesZeroWithoutAFileOrWhenTheNameIsAFolder) {
    ScratchDir dir;
    EXPECT_EQ(ReadHiScore(HISCORE_FILE), 0);
    fs::create_directory(HISCORE_FILE);
    EXPECT_EQ(ReadHiScore(HISCORE_FILE), 0);
}

TEST(HiScoreWriting, WritesBareDigitsThatReadBackTheSame) {
    ScratchDir dir;
    const std::pair<int, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
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
}

TEST(HiScoreWriting, ReplacesALongerOldFileWholly) {
    ScratchDir dir;
    dir.WriteFile(HISCORE_FILE, "99999999 and a long tail\n");
    ASSERT_TRUE(WriteHiScore(HISCORE_FILE, 5));
    EXPECT_EQ(dir.ReadFile(HISCORE_FILE), "5");
}

TEST(HiScoreWriting, LeavesNothingButTheFileBehind) {
    ScratchDir dir;
    ASSERT_TRUE(WriteHiScore(HISCORE_FILE, 10));
    ASSERT_TRUE(WriteHiScore(HISCORE_FILE, 20));
    EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{HISCORE_FILE});
}

TEST(HiScoreWriting, GivesTheFileTheSameAccessAsAnyNewFile) {
    ScratchDir dir;
    std::ofstream("ordinary") << "x";
    ASSERT_TRUE(WriteHiScore(HISCORE_FILE, 3));
    EXPECT_EQ(fs::status(HISCORE_FILE).permissions(), fs::status("ordinary").permissions());
}

TEST(HiScoreWriting, FailsWithoutHarmWhenAFolderIsInTheWay) {
    ScratchDir dir;
    fs::create_directory(HISCORE_FILE);
    dir.WriteFile(std::string(HISCORE_FILE) + "/keep", "kept");

    EXPECT_FALSE(WriteHiScore(HISCORE_FILE, 88));

    EXPECT_TRUE(fs::is_directory(HISCORE_FILE));
    EXPECT_EQ(dir.ReadFile(std::string(HISCORE_FILE) + "/keep"), "kept");
    EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{HISCORE_FILE});
}

TEST(HiScoreWriting, FailsWhenItsFolderIsMissing) {
    ScratchDir dir;
    EXPECT_FALSE(WriteHiScore("gone/hiscore", 88));
    EXPECT_TRUE(FolderContents(dir.Path()).empty());
}

TEST(HiScoreWriting, RewritesTheFileInPlaceWhenTheFolderIsReadOnly) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits don't stop the superuser from writing";
    }
    ScratchDir dir;
    fs::create_directory("locked");
    dir.WriteFile("locked/hiscore", "4321");
    fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_TRUE(WriteHiScore("locked/hiscore", 5));

    fs::permissions("locked", fs::perms::owner_all);
    EXPECT_EQ(dir.ReadFile("locked/hiscore"), "5");
    EXPECT_EQ(FolderContents(dir.Path() + "/locked"), std::vector<std::string>{"hiscore"});
}

TEST(HiScoreWriting, KeepsTheOldFileWhenNeitherItNorItsFolderIsWritable) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits don't stop the superuser from writing";
    }
    ScratchDir dir;
    fs::create_directory("locked");
    dir.WriteFile("locked/hiscore", "321");
    fs::permissions("locked/hiscore", fs::perms::owner_read);
    fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_FALSE(WriteHiScore("locked/hiscore", 5));

    fs::permissions("locked", fs::perms::owner_all);
    EXPECT_EQ(dir.ReadFile("locked/hiscore"), "321");
    EXPECT_EQ(FolderContents(dir.Path() + "/locked"), std::vector<std::string>{"hiscore"});
}
