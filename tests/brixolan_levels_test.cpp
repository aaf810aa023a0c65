#include <array>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "shell/globals.h"
#include "tests/support/scratch_dir.h"

using namespace brixolan;

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

using Cell = std::array<int, 3>;  // x, y, lives

// The bricks in play, in list order; every one of them a 40x20 brick.
std::vector<Cell> Bricks() {
    std::vector<Cell> cells;
    for (const Brick& brick : theBricks) {
        EXPECT_EQ(brick.GetXSize(), 40);
        EXPECT_EQ(brick.GetYSize(), 20);
        cells.push_back(Cell{brick.GetXPos(), brick.GetYPos(), brick.GetLives()});
    }
    return cells;
}

using Placement = std::array<int, 6>;  // x, y, width, height, x velocity, y velocity

Placement PlacementOf(const MobileThing& thing) {
    return {thing.GetXPos(),  thing.GetYPos(), thing.GetXSize(),
            thing.GetYSize(), thing.GetXVel(), thing.GetYVel()};
}

// Wherever the level came from, every load puts the paddle and the ball at their start.
void ExpectStartPlaces() {
    EXPECT_EQ(PlacementOf(myPaddle), (Placement{320, 440, 72, 20, 0, 0}));
    EXPECT_EQ(PlacementOf(theBall), (Placement{350, 428, 13, 13, 0, -2}));
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
        theBricks.assign(1, Brick(4, 0, 0, 40, 20));
    }

    ScratchDir folder;
};

}  // namespace

TEST_F(LevelMapTest, LevelsAreFoundInAnyOrderByWholeMarkerLinesOnly) {
    std::string file = "A comment line, then a marker with a trailing blank.\n";
    file += "level_1 \n" + ONES_ROW + "\n";
    file += Level(10, {"1 0 0 0 0 0 0 0 0 0 0 0 0 0 0"});
    file += "\n";
    file += Level(2, {"2 2 0 0 0 0 0 0 0 0 0 0 0 0 0"});
    file += Level(3, {"0 0 0 0 0 0 0 0 0 0 0 0 0 3 3"});
    file += Level(3, {ONES_ROW});  // a second level 3 is never reached
    file += "level_4";             // the last line, without a line end: an empty grid
    folder.WriteFile("levelmaps", file);

    LoadLevel(2);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 2}, {60, 20, 2}}));
    ExpectStartPlaces();
    LoadLevel(3);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{540, 20, 3}, {580, 20, 3}}));
    LoadLevel(10);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 1}}));

    // Neither "level_1 " nor "level_10" is the marker of level 1, level 4 has no grid, and the
    // file holds no other level. (A missing file is in the robustness tests.)
    for (int empty : {1, 4, 0, -1, 5, 1000000}) {
        Disarrange();
        LoadLevel(empty);
        EXPECT_TRUE(theBricks.empty()) << "level " << empty;
        ExpectStartPlaces();
    }

    // Loading a level again gives its bricks afresh.
    LoadLevel(2);
    Disarrange();
    LoadLevel(2);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 2}, {60, 20, 2}}));
    ExpectStartPlaces();
}

TEST_F(LevelMapTest, BricksComeInFileOrderAndAnyLayoutOfTheGridReadsLikeTheUsualOne) {
    std::vector<std::string> rows(8, EMPTY_ROW);
    rows[0] = "5 0 0 0 0 0 0 0 0 0 0 0 0 0 4";
    rows[1] = ONES_ROW;
    rows[3] = "0 0 0 0 0 0 0 3 0 0 0 0 0 0 0";
    rows[7] = "2 0 0 0 0 0 0 0 0 0 0 0 0 0 1";
    folder.WriteFile("levelmaps", Level(1, rows));
    LoadLevel(1);
    std::vector<Cell> usual = {{20, 20, 5}, {580, 20, 4}};
    for (int column = 0; column < 15; ++column) {
        usual.push_back({20 + 40 * column, 40, 1});
    }
    usual.insert(usual.end(), {{300, 80, 3}, {20, 160, 2}, {580, 160, 1}});
    EXPECT_EQ(Bricks(), usual);
    ExpectStartPlaces();

    // The grid is a stream of numbers with one character passed over after each row, so
    // Windows line ends, one long line or another separator read the same.
    std::string oneLine;
    std::string semicolons;
    for (const std::string& row : rows) {
        oneLine += row + " ";
        semicolons += row + ";";
    }
    const std::pair<const char*, std::string> layouts[] = {
        {"CR LF", "junk\r\n" + Level(1, rows, "\r\n")},
        {"one line", "level_1\n" + oneLine + "\n"},
        {"rows ended by semicolons", "level_1\n" + semicolons},
    };
    for (const auto& [layout, file] : layouts) {
        SCOPED_TRACE(layout);
        Disarrange();
        folder.WriteFile("levelmaps", file);
        LoadLevel(1);
        EXPECT_EQ(Bricks(), usual);
        ExpectStartPlaces();
    }
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
    Disarrange();
    folder.WriteFile("levelmaps", "level_1\n3 3 0\n");
    LoadLevel(1);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 3}, {60, 20, 3}}));
    ExpectStartPlaces();
}

TEST_F(LevelMapTest, CellsOutsideTheFiveStrengthsStayEmpty) {
    folder.WriteFile("levelmaps", Level(1, {"6 -1 2 9 0 100 -5 1 0 0 0 0 0 0 7"}));
    LoadLevel(1);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{100, 20, 2}, {300, 20, 1}}));
    ExpectStartPlaces();

    // A broken grid ending on such a value gives no endless run of dead bricks either.
    folder.WriteFile("levelmaps", "level_1\n1 8");
    LoadLevel(1);
    EXPECT_EQ(Bricks(), (std::vector<Cell>{{20, 20, 1}}));
}

// Only lines that read exactly as a level's marker name a level, whatever order they stand in.
TEST(NextLevelNumber, IsTheLowestMarkerAboveTheGivenNumber) {
    ScratchDir folder;
    EXPECT_EQ(NextLevelNumber(0), NO_LEVEL) << "no file";
    folder.WriteFile("levelmaps",
                     "level_5\nlevel_2\nlevel_9 \nlevel_09\nlevel_+9\nLevel_9\nlevel_\n"
                     "a level_9\nlevel_99999999999\nlevel_3\r\n" +
                         EMPTY_ROW + "\nlevel_2147483647");
    const struct {
        int after;
        int next;
    } cases[] = {{0, 2}, {1, 2}, {2, 3}, {3, 5}, {4, 5}, {5, 2147483647}, {2147483647, NO_LEVEL}};
    for (const auto& c : cases) {
        EXPECT_EQ(NextLevelNumber(c.after), c.next) << "after " << c.after;
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
