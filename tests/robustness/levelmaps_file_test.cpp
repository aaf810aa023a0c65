// Hostile level map files: whatever "levelmaps" holds, a level load leaves the paddle and the
// ball at their start places and only real bricks on the grid, and the game plays on.

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "brixolan/constants.h"
#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "tests/robustness/game_session.h"

using namespace brixolan;

namespace fs = std::filesystem;

namespace {

const int PLAY_FRAMES = 120;
const size_t HUNDRED_MB = 100 * 1000 * 1000;
const size_t CELLS = ROWS * COLS;

// A grid whose cells are all the given number, one row a line.
std::string Grid(const std::string& cell) {
    std::string grid;
    for (int row = 0; row < ROWS; ++row) {
        for (int column = 0; column < COLS; ++column) {
            grid += cell + (column + 1 < COLS ? " " : "\n");
        }
    }
    return grid;
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(byte(random));
    }
    return bytes;
}

// Writes the file in pieces, so that a test needs no copy of it in memory.
void WriteLongFile(const std::string& name, size_t size, char fill, const std::string& tail) {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::string line(999, fill);
    line += '\n';
    for (size_t written = 0; written + line.size() <= size; written += line.size()) {
        ASSERT_EQ(std::fwrite(line.data(), 1, line.size(), file), line.size());
    }
    ASSERT_EQ(std::fwrite(tail.data(), 1, tail.size(), file), tail.size());
    ASSERT_EQ(std::fclose(file), 0);
}

class HostileLevelMapTest : public GameSessionTest {
protected:
    void TearDown() override {
        theBricks.clear();
        GameSessionTest::TearDown();
    }

    // What any load must leave, whatever the file held.
    static void ExpectStartPlacesAndRealBricks() {
        EXPECT_EQ(myPaddle.GetXPos(), 320);
        EXPECT_EQ(myPaddle.GetYPos(), 440);
        EXPECT_EQ(theBall.GetXPos(), 350);
        EXPECT_EQ(theBall.GetYPos(), 428);
        EXPECT_EQ(theBall.GetYVel(), -2);
        EXPECT_LE(theBricks.size(), CELLS);
        for (const Brick& brick : theBricks) {
            EXPECT_GE(brick.GetLives(), 1);
            EXPECT_LE(brick.GetLives(), 5);
        }
    }

    void ExpectThePlayGoesOn() {
        dir.CopyStartupFiles();
        EXPECT_EQ(RunGame(PLAY_FRAMES), 0);
        EXPECT_EQ(dir.ReadFile(HISCORE_FILE), std::to_string(hiScore));
    }
};

}  // namespace

TEST_F(HostileLevelMapTest, RandomBytesWithOrWithoutAMarkerMakeOnlyRealBricks) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        dir.WriteFile("levelmaps", RandomBytes(64 * 1024, seed));
        LoadLevel(1);
        ExpectStartPlacesAndRealBricks();
        EXPECT_TRUE(theBricks.empty()) << "no marker, no level; seed " << seed;
    }
    for (unsigned seed = 1; seed <= 50; ++seed) {
        // Digits, blanks, signs and line ends, so that some numbers are read.
        std::string grid = RandomBytes(600, seed);
        for (char& c : grid) {
            c = "0123456789   -+\n\r\tx9"[static_cast<unsigned char>(c) % 21];
        }
        dir.WriteFile("levelmaps", "level_1\n" + grid);
        LoadLevel(1);
        ExpectStartPlacesAndRealBricks();
    }
    ExpectThePlayGoesOn();
}

TEST_F(HostileLevelMapTest, AHundredMegabytesAreSearchedToTheirEndInLinesOrInOne) {
    WriteLongFile("levelmaps", HUNDRED_MB, '#', "level_1\n" + Grid("3"));
    LoadLevel(1);
    ExpectStartPlacesAndRealBricks();
    EXPECT_EQ(theBricks.size(), CELLS) << "the level at the end is found";
    LoadLevel(2);
    EXPECT_TRUE(theBricks.empty());

    // One line of a hundred million NUL bytes without a line end, made without writing them.
    int file = open("levelmaps", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(file, 0);
    ASSERT_EQ(ftruncate(file, HUNDRED_MB), 0);
    ASSERT_EQ(close(file), 0);
    LoadLevel(1);
    ExpectStartPlacesAndRealBricks();
    EXPECT_TRUE(theBricks.empty());
}

// A grid is a stream of numbers: a failed read (a number too big for an int, a NUL) ends it
// and every later cell repeats the last number read; one long line fills it, one skipped
// blank a row; a marker with anything after it is not the marker.
TEST_F(HostileLevelMapTest, OddMapsLoadWhatCanBeReadAndThePlayGoesOn) {
    using namespace std::string_literals;
    std::string longRow;
    for (int i = 0; i < 1000000; ++i) {
        longRow += "2 ";
    }
    const struct {
        const char* label;
        std::string contents;
        int level;
        size_t bricks;
        int lastLives;
    } cases[] = {
        {"empty", "", 1, 0, 0},
        {"very long lines", std::string(10000000, 'x') + "\nlevel_1\n" + longRow + "\n", 1, CELLS,
         2},
        {"2147483648", "level_1\n1 1 2147483648 4 4 4\n" + Grid("4"), 1, CELLS, 1},
        {"-2147483649", "level_1\n1 1 -2147483649 4 4 4\n" + Grid("4"), 1, CELLS, 1},
        {"23 digits", "level_1\n1 1 99999999999999999999999 4 4 4\n" + Grid("4"), 1, CELLS, 1},
        {"a marker beyond any int", "level_99999999999\n" + Grid("2"), INT_MAX, 0, 0},
        {"the highest level number", "level_2147483647\n" + Grid("2"), INT_MAX, CELLS, 2},
        {"a NUL after the marker", "level_1\0\n"s + Grid("2"), 1, 0, 0},
        {"a NUL after a number", "\0\0\0\nlevel_1\n3\0"s + Grid("5"), 1, CELLS, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        dir.WriteFile("levelmaps", c.contents);
        LoadLevel(c.level);
        ExpectStartPlacesAndRealBricks();
        ASSERT_EQ(theBricks.size(), c.bricks);
        if (c.bricks > 0) {
            EXPECT_EQ(theBricks.back().GetLives(), c.lastLives);
        }
        ExpectThePlayGoesOn();
    }
}

TEST_F(HostileLevelMapTest, AMissingFileOrAFolderHoldsNoLevelAndThePlayGoesOn) {
    for (const bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "folder" : "missing");
        if (folder) {
            fs::create_directory("levelmaps");
        }
        LoadLevel(1);
        ExpectStartPlacesAndRealBricks();
        EXPECT_TRUE(theBricks.empty());
        ExpectThePlayGoesOn();
    }
    EXPECT_TRUE(fs::is_directory("levelmaps")) << "the folder is left alone";
}

TEST_F(HostileLevelMapTest, TheShippedMapCutAnywhereLoadsWhatItHasAndThePlayGoesOn) {
    dir.CopyGameFile("levelmaps");
    const std::string whole = dir.ReadFile("levelmaps");
    ASSERT_GT(whole.size(), 100u);
    for (size_t cut = 1; cut < whole.size(); cut += whole.size() / 37) {
        dir.WriteFile("levelmaps", whole.substr(0, cut));
        for (int level = 1; level <= 3; ++level) {
            LoadLevel(level);
            ExpectStartPlacesAndRealBricks();
        }
    }
    dir.WriteFile("levelmaps", whole.substr(0, whole.size() / 2));
    ExpectThePlayGoesOn();
}
