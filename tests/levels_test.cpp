#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "shell/globals.h"
#include "tests/support/scratch_dir.h"

namespace {

const std::string EMPTY_ROW = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
const std::string ONES_ROW = "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1";

// A level: its marker line and eight rows, each ended by the given line end.
std::string Level(int number, const std::vector<std::string>& rows,
                  const std::string& lineEnd = "\n") {
    std::string text = "level_" + std::to_string(number) + lineEnd;
    for (int row = 0; row < 8; ++row) {
        text += (row < static_cast<int>(rows.size()) ? rows[row] : EMPTY_ROW) + lineEnd;
    }
    return text;
}

struct Cell {
    int x;
    int y;
    int lives;
    bool operator==(const Cell& other) const {
        return x == other.x && y == other.y && lives == other.lives;
    }
};
std::ostream& operator<<(std::ostream& out, const Cell& cell) {
    return out << "{" << cell.x << ", " << cell.y << ", " << cell.lives << " lives}";
}

// The bricks in play, in list order.
std::vector<Cell> Bricks() {
    std::vector<Cell> cells;
    for (const Brick& brick : theBricks) {
        cells.push_back(Cell{brick.GetXPos(), brick.GetYPos(), brick.GetLives()});
    }
    return cells;
}

// Wherever the level came from, every load puts the paddle and the ball at their start.
void ExpectStartPlaces() {
    EXPECT_EQ(myPaddle.GetXPos(), 320);
    EXPECT_EQ(myPaddle.GetYPos(), 440);
    EXPECT_EQ(myPaddle.GetXSize(), 72);
    EXPECT_EQ(myPaddle.GetYSize(), 20);
    EXPECT_EQ(myPaddle.GetXVel(), 0);
    EXPECT_EQ(myPaddle.GetYVel(), 0);
    EXPECT_EQ(theBall.GetXPos(), 350);
    EXPECT_EQ(theBall.GetYPos(), 428);
    EXPECT_EQ(theBall.GetXSize(), 13);
    EXPECT_EQ(theBall.GetYSize(), 13);
    EXPECT_EQ(theBall.GetXVel(), 0);
    EXPECT_EQ(theBall.GetYVel(), -2);
}

class LevelMapTest : public ::testing::Test {
protected:
    void SetUp() override { Disarrange(); }

    // Something out of place before every load, so that the reset shows.
    static void Disarrange() {
        myPaddle.SetBothPos(40, 100);
        myPaddle.SetBothVel(3, 1);
        theBall.SetBothPos(500, 300);
        theBall.SetBothVel(2, 2);
        theBricks.clear();
        theBricks.push_back(Brick(4, 0, 0, 40, 20));
    }

    ScratchDir folder;
};

}  // namespace

TEST_F(LevelMapTest, ARowOfOnesUnderAnEmptyRowGivesFifteenBricksAcrossTheField) {
    folder.WriteFile("levelmaps", Level(1, {EMPTY_ROW, ONES_ROW}));
    LoadLevel(1);

    ASSERT_EQ(theBricks.size(), 15u);
    for (int column = 0; column < 15; ++column) {
        const Brick& brick = theBricks[column];
        EXPECT_EQ(brick.GetXPos(), 20 + 40 * column);
        EXPECT_EQ(brick.GetYPos(), 40);
        EXPECT_EQ(brick.GetXSize(), 40);
        EXPECT_EQ(brick.GetYSize(), 20);
        EXPECT_EQ(brick.GetLives(), 1);
    }
    ExpectStartPlaces();
}

TEST_F(LevelMapTest, BricksComeInFileOrderAndCoverTheWholeGrid) {
    folder.WriteFile("levelmaps", Level(1, {"5 0 0 0 0 0 0 0 0 0 0 0 0 0 4", EMPTY_ROW, EMPTY_ROW,
                                            "0 0 0 0 0 0 0 3 0 0 0 0 0 0 0", EMPTY_ROW, EMPTY_ROW,
                                            EMPTY_ROW, "2 0 0 0 0 0 0 0 0 0 0 0 0 0 1"}));
    LoadLevel(1);

    std::vector<Cell> expected = {
        {20, 20, 5}, {580, 20, 4}, {300, 80, 3}, {20, 160, 2}, {580, 160, 1}};
    EXPECT_EQ(Bricks(), expected);
    ExpectStartPlaces();
}

TEST_F(LevelMapTest, LevelsAreFoundInAnyOrderAndOnlyWholeMarkersMatch) {
    std::string file = "A comment line, then a marker with a trailing blank.\n";
    file += "level_1 \n" + ONES_ROW + "\n";
    file += Level(10, {"1 0 0 0 0 0 0 0 0 0 0 0 0 0 0"});
    file += "\n";
    file += Level(2, {"2 2 0 0 0 0 0 0 0 0 0 0 0 0 0"});
    file += Level(3, {"0 0 0 0 0 0 0 0 0 0 0 0 0 3 3"});
    file += Level(3, {ONES_ROW});  // a second level 3 is never reached
    folder.WriteFile("levelmaps", file);

    LoadLevel(2);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 2}, {60, 20, 2}}));
    ExpectStartPlaces();

    LoadLevel(3);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{540, 20, 3}, {580, 20, 3}}));

    LoadLevel(10);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 1}}));

    // Neither "level_1 " nor "level_10" is the marker of level 1.
    LoadLevel(1);
    EXPECT_TRUE(theBricks.empty());
    ExpectStartPlaces();
}

TEST_F(LevelMapTest, WindowsLineEndsAndOneLongLineReadLikeTheUsualLayout) {
    const std::vector<std::string> rows = {"1 2 3 4 5 0 0 0 0 0 0 0 0 0 0",
                                           EMPTY_ROW,
                                           ONES_ROW,
                                           EMPTY_ROW,
                                           EMPTY_ROW,
                                           EMPTY_ROW,
                                           EMPTY_ROW,
                                           "0 0 0 0 0 0 0 0 0 0 0 0 0 0 5"};
    folder.WriteFile("levelmaps", Level(1, rows));
    LoadLevel(1);
    const std::vector<Cell> usual = Bricks();
    ASSERT_EQ(usual.size(), 21u);

    folder.WriteFile("levelmaps", "junk\r\n" + Level(1, rows, "\r\n"));
    LoadLevel(1);
    EXPECT_EQ(Bricks(), usual);
    ExpectStartPlaces();

    std::string oneLine;
    for (const std::string& row : rows) {
        oneLine += row + " ";
    }
    folder.WriteFile("levelmaps", "level_1\n" + oneLine + "\n");
    LoadLevel(1);
    EXPECT_EQ(Bricks(), usual);
    ExpectStartPlaces();
}

TEST_F(LevelMapTest, OneCharacterAfterEachRowIsPassedOverWhateverItIs) {
    // Row r is all of strength r % 5 + 1, each row ended by a semicolon instead of a line end.
    std::string file = "level_1\n";
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 15; ++column) {
            file += std::to_string(row % 5 + 1) + (column < 14 ? " " : ";");
        }
    }
    folder.WriteFile("levelmaps", file);
    LoadLevel(1);
    ASSERT_EQ(theBricks.size(), 120u);
    EXPECT_EQ(Bricks()[15], (Cell{20, 40, 2}));
    EXPECT_EQ(Bricks().back(), (Cell{580, 160, 3}));
}

TEST_F(LevelMapTest, AMarkerOnTheLastLineWithoutALineEndHasAnEmptyGrid) {
    folder.WriteFile("levelmaps", Level(1, {ONES_ROW}) + "level_2");
    LoadLevel(2);
    EXPECT_TRUE(theBricks.empty());
    ExpectStartPlaces();

    // The level before it is unharmed.
    LoadLevel(1);
    EXPECT_EQ(theBricks.size(), 15u);
}

TEST_F(LevelMapTest, AGridCutShortRepeatsTheLastNumberReadToTheEnd) {
    // Cut after a 2: the rest of row 1 and rows 2 to 7 are 2s (13 + 90 cells).
    folder.WriteFile("levelmaps", "level_1\n" + EMPTY_ROW + "\n1 2");
    LoadLevel(1);
    ASSERT_EQ(theBricks.size(), 105u);
    EXPECT_EQ(Bricks().front(), (Cell{20, 40, 1}));
    EXPECT_EQ(Bricks()[1], (Cell{60, 40, 2}));
    EXPECT_EQ(Bricks().back(), (Cell{580, 160, 2}));
    ExpectStartPlaces();

    // Cut after a 0: nothing more.
    folder.WriteFile("levelmaps", "level_1\n3 3 0\n");
    LoadLevel(1);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 3}, {60, 20, 3}}));

    // A word in the grid ends the reading just the same, after the 4 before it.
    folder.WriteFile("levelmaps", Level(1, {"0 0 4 x 1 1 1 1 1 1 1 1 1 1 1"}));
    LoadLevel(1);
    EXPECT_EQ(theBricks.size(), 118u);
    EXPECT_EQ(Bricks().back(), (Cell{580, 160, 4}));

    // So does a number too big for the game to hold.
    folder.WriteFile("levelmaps", Level(1, {"0 1 99999999999 0 0 0 0 0 0 0 0 0 0 0 0"}));
    LoadLevel(1);
    EXPECT_EQ(theBricks.size(), 119u);
}

TEST_F(LevelMapTest, CellsOutsideTheFiveStrengthsStayEmpty) {
    folder.WriteFile("levelmaps", Level(1, {"6 -1 2 9 0 100 -5 1 0 0 0 0 0 0 7"}));
    LoadLevel(1);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{100, 20, 2}, {300, 20, 1}}));
    for (const Brick& brick : theBricks) {
        EXPECT_GT(brick.GetLives(), 0);
    }

    // A broken grid ending on such a value gives no endless run of dead bricks either.
    folder.WriteFile("levelmaps", "level_1\n1 8");
    LoadLevel(1);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 1}}));
}

TEST_F(LevelMapTest, LoadingALevelAgainReplacesItsBricks) {
    folder.WriteFile("levelmaps",
                     Level(1, {ONES_ROW}) + Level(2, {"2 0 0 0 0 0 0 0 0 0 0 0 0 0 0"}));
    LoadLevel(1);
    LoadLevel(1);
    EXPECT_EQ(theBricks.size(), 15u);
    LoadLevel(2);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 2}}));
}

TEST_F(LevelMapTest, WithoutAMapFileOrALevelThereAreNoBricksButTheStartPlacesStand) {
    LoadLevel(1);
    EXPECT_TRUE(theBricks.empty());
    ExpectStartPlaces();

    folder.WriteFile("levelmaps", Level(1, {ONES_ROW}));
    for (int missing : {0, -1, 2, 1000000}) {
        Disarrange();
        LoadLevel(missing);
        EXPECT_TRUE(theBricks.empty()) << "level " << missing;
        ExpectStartPlaces();
    }
}

TEST(ShippedLevelMaps, AtLeastTwelveLevelsOfRisingDifficultyUsingEveryStrength) {
    ScratchDir folder;
    folder.CopyGameFile("levelmaps");
    std::set<int> strengths;
    int previousTotal = 0;
    int number = 1;
    for (LoadLevel(number); !theBricks.empty() && number < 1000; LoadLevel(++number)) {
        int total = 0;
        for (const Brick& brick : theBricks) {
            total += brick.GetLives();
            strengths.insert(brick.GetLives());
        }
        EXPECT_GE(total, previousTotal) << "level " << number << " is easier than the one before";
        previousTotal = total;
    }
    EXPECT_GE(number - 1, 12);
    EXPECT_EQ(strengths, (std::set<int>{1, 2, 3, 4, 5}));
}
