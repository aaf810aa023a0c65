#include "shell/hiscore.h"

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

// A folder that takes no new file: a writable "hiscore" is rewritten where it stands, a
// read-only one is kept as it was; either way nothing else appears.
TEST(HiScoreWriting, InAReadOnlyFolderRewritesAWritableFileAndKeepsAReadOnlyOne) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits don't stop the superuser from writing";
    }
    ScratchDir dir;
    for (const bool fileWritable : {true, false}) {
        SCOPED_TRACE(fileWritable ? "writable file" : "read-only file");
        fs::create_directory("locked");
        dir.WriteFile("locked/hiscore", "4321");
        if (!fileWritable) {
            fs::permissions("locked/hiscore", fs::perms::owner_read);
        }
        fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);

        EXPECT_EQ(WriteHiScore("locked/hiscore", 5), fileWritable);

        fs::permissions("locked", fs::perms::owner_all);
        EXPECT_EQ(dir.ReadFile("locked/hiscore"), fileWritable ? "5" : "4321");
        EXPECT_EQ(FolderContents("locked"), std::vector<std::string>{"hiscore"});
        fs::remove_all("locked");
    }
}
