#include "brixolan/levels.h"

#include <cstddef>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>

#include "brixolan/constants.h"
#include "brixolan/game.h"
#include "framework/plain_file.h"
#include "platform/command_line.h"
#include "shell/globals.h"

namespace brixolan {

namespace {

const char* const MARKER_PREFIX = "level_";
const int MAX_BRICK_LIVES = 5;

// No marker line is longer than this ("level_" and an int), so no more of a line is kept: a
// file of huge lines is scanned, not copied.
const std::size_t LONGEST_MARKER = 32;
const std::size_t INT_DIGITS = std::numeric_limits<int>::digits10 + 1;

// Reads the next line, keeping at most its first LONGEST_MARKER + 1 characters; the rest of
// a longer line is skipped. False when the file has no further line or can't be read.
bool ReadLineStart(std::ifstream& file, std::string& start) {
    char kept[LONGEST_MARKER + 2];
    file.get(kept, sizeof kept, '\n');
    const std::streamsize length = file.gcount();
    if (file.bad() || (length == 0 && file.eof())) {
        return false;
    }
    start.assign(kept, static_cast<std::size_t>(length));
    if (length == 0) {
        // An empty line: reading nothing before its end is no failure here.
        file.clear();
    }
    file.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    return true;
}

// Reads lines up to and including the level's marker. True when it was found; the file then
// stands at the start of the grid.
bool FindMarker(std::ifstream& file, int number) {
    const std::string marker = MARKER_PREFIX + std::to_string(number);
    std::string line;
    while (ReadLineStart(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line == marker) {
            return true;
        }
    }
    return false;
}

// The number a marker line names, written as the marker of that number is; NO_LEVEL for
// any other line.
int MarkerNumber(const std::string& line) {
    const std::size_t prefix = std::strlen(MARKER_PREFIX);
    if (line.compare(0, prefix, MARKER_PREFIX) != 0) {
        return NO_LEVEL;
    }
    const std::string digits = line.substr(prefix);
    if (digits.empty() || digits.size() > INT_DIGITS ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
        return NO_LEVEL;
    }
    const long long number = std::stoll(digits);
    if (number > std::numeric_limits<int>::max() || std::to_string(number) != digits) {
        return NO_LEVEL;
    }
    return static_cast<int>(number);
}

// A cell that isn't a brick strength stays empty, so a broken map never makes a brick that
// can't be destroyed.
bool IsBrick(int cell) {
    return cell >= 1 && cell <= MAX_BRICK_LIVES;
}

// The grid as a stream of numbers. Once a read fails every later one fails too, and the
// remaining cells repeat the last number read.
void ReadGrid(std::ifstream& file) {
    int cell = 0;
    for (int row = 0; row < ROWS; ++row) {
        for (int column = 0; column < COLS; ++column) {
            int value = 0;
            if (file >> value) {
                cell = value;
            }
            if (IsBrick(cell)) {
                theBricks.push_back(Brick(cell, BORDER_WIDTH + column * BRICK_WIDTH,
                                          BORDER_WIDTH + row * BRICK_HEIGHT, BRICK_WIDTH,
                                          BRICK_HEIGHT));
            }
        }
        file.ignore(1);
    }
}

// The shipped set, or the player's own from "--levels FILE".
std::string LevelFile() {
    return chosenOnCommandLine.levels.empty() ? LEVEL_FILE : chosenOnCommandLine.levels;
}

}  // namespace

void ServeBall() {
    const int x = myPaddle.GetXPos() + myPaddle.GetXSize() / 2 - theBall.GetXSize() / 2;
    const int y = myPaddle.GetYPos() - theBall.GetYSize() + 1;
    theBall.SetBothPos(x, y);
    theBall.SetBothVel(SERVE_X_VEL, SERVE_Y_VEL);
}

int NextLevelNumber(int after) {
    std::ifstream file;
    const std::string levelFile = LevelFile();
    if (ZEM_IsPlainFile(levelFile.c_str())) {
        file.open(levelFile);
    }
    int next = NO_LEVEL;
    std::string line;
    while (file.is_open() && ReadLineStart(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const int number = MarkerNumber(line);
        if (number > after && (next == NO_LEVEL || number < next)) {
            next = number;
        }
    }
    return next;
}

void LoadLevel(int number) {
    myPaddle.SetBothSize(PADDLE_WIDTH, PADDLE_HEIGHT);
    myPaddle.SetBothPos(PADDLE_START_X, PADDLE_START_Y);
    myPaddle.SetBothVel(0, 0);
    theBall.SetBothSize(BALL_SIZE, BALL_SIZE);
    ServeBall();

    theBricks.clear();
    std::ifstream file;
    const std::string levelFile = LevelFile();
    if (ZEM_IsPlainFile(levelFile.c_str())) {
        file.open(levelFile);
    }
    if (file.is_open() && FindMarker(file, number)) {
        ReadGrid(file);
    }
}

}  // namespace brixolan
