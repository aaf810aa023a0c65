// Feeds arbitrary bytes to the level loader as the file "levelmaps" and checks what any file
// must leave behind: the paddle and the ball at their start places, and at most one brick per
// grid cell, each a real brick (1 to 5 lives) standing on its cell, in map order.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "brixolan/constants.h"
#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "shell/globals.h"
#include "tests/fuzz/file_in_scratch.h"

using namespace brixolan;

namespace {

const int MAX_LIVES = 5;
// Levels asked for: the first, one further on, and the numbers a very long game reaches.
const int BALL_START_X = 350;  // centred on the paddle
const int BALL_START_Y = 428;  // resting on its top row
const int LEVELS_TRIED[] = {1, 2, 10, 2147483647};

void Fail(const char* what, int level) {
    std::fprintf(stderr, "level %d: %s\n", level, what);
    std::abort();
}

void CheckStartPlaces(int level) {
    if (myPaddle.GetXPos() != PADDLE_START_X || myPaddle.GetYPos() != PADDLE_START_Y ||
        myPaddle.GetXSize() != PADDLE_WIDTH || myPaddle.GetYSize() != PADDLE_HEIGHT ||
        myPaddle.GetXVel() != 0 || myPaddle.GetYVel() != 0) {
        Fail("the paddle is not at its start place", level);
    }
    if (theBall.GetXPos() != BALL_START_X || theBall.GetYPos() != BALL_START_Y ||
        theBall.GetXSize() != BALL_SIZE || theBall.GetXVel() != SERVE_X_VEL ||
        theBall.GetYVel() != SERVE_Y_VEL) {
        Fail("the ball is not resting on the paddle", level);
    }
}

void CheckBricks(int level) {
    if (theBricks.size() > static_cast<std::size_t>(ROWS * COLS)) {
        Fail("more bricks than grid cells", level);
    }
    int lastCell = -1;
    for (const Brick& brick : theBricks) {
        const int column = (brick.GetXPos() - BORDER_WIDTH) / BRICK_WIDTH;
        const int row = (brick.GetYPos() - BORDER_WIDTH) / BRICK_HEIGHT;
        if (column < 0 || column >= COLS || row < 0 || row >= ROWS ||
            brick.GetXPos() != BORDER_WIDTH + column * BRICK_WIDTH ||
            brick.GetYPos() != BORDER_WIDTH + row * BRICK_HEIGHT) {
            Fail("a brick off the grid", level);
        }
        if (brick.GetXSize() != BRICK_WIDTH || brick.GetYSize() != BRICK_HEIGHT) {
            Fail("a brick of the wrong size", level);
        }
        if (brick.GetLives() < 1 || brick.GetLives() > MAX_LIVES) {
            Fail("a brick that can't be broken", level);
        }
        const int cell = row * COLS + column;
        if (cell <= lastCell) {
            Fail("bricks out of map order or two in one cell", level);
        }
        lastCell = cell;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteInput(LEVEL_FILE, data, size);
    for (int level : LEVELS_TRIED) {
        LoadLevel(level);
        CheckStartPlaces(level);
        CheckBricks(level);
        const std::size_t firstCount = theBricks.size();
        LoadLevel(level);
        if (theBricks.size() != firstCount) {
            Fail("loading the level again gives other bricks", level);
        }
    }
    return 0;
}
