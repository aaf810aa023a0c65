#include "things/paddle.h"

namespace {

// White: red, green and blue all at full.
const Uint8 WHITE_LEVEL = 255;
const int STEER_STEP = 2;
const int FRICTION_STEP = 1;
const int ROW_PIECES = 6;
const int EIGHTHS_PER_PADDLE = 8;
const int ROWS = 2;

// Where each piece of a row starts and how wide it is, in eighths of the paddle: the outer
// eighths, the next quarters and the two eighths either side of the centre.
const int PIECE_START[ROW_PIECES] = {0, 1, 3, 4, 5, 7};
const int PIECE_WIDTH[ROW_PIECES] = {1, 2, 1, 1, 2, 1};

}  // namespace

// Each game sets its own limit when it starts (the shell takes it from the game's record).
int Paddle::speedLimit = 0;

void Paddle::Show(SDL_Surface* target) {
    SDL_Rect area = GetRect();
    SDL_FillRect(target, &area, SDL_MapRGB(target->format, WHITE_LEVEL, WHITE_LEVEL, WHITE_LEVEL));
}

void Paddle::SetCollBoxes() {
    const int eighth = xSize / EIGHTHS_PER_PADDLE;
    const int rowHeight = ySize / ROWS;

    ClearBoxes();
    for (int row = 0; row < ROWS; ++row) {
        const int y = yPos + row * rowHeight;
        for (int piece = 0; piece < ROW_PIECES; ++piece) {
            AddBox(xPos + PIECE_START[piece] * eighth, y, PIECE_WIDTH[piece] * eighth, rowHeight);
        }
    }
}

void Paddle::Left() {
    xVel -= STEER_STEP;
    if (xVel < -speedLimit) {
        xVel = -speedLimit;
    }
}

void Paddle::Right() {
    xVel += STEER_STEP;
    if (xVel > speedLimit) {
        xVel = speedLimit;
    }
}

void Paddle::Friction() {
    if (xVel > 0) {
        xVel -= FRICTION_STEP;
    }
    if (xVel < 0) {
        xVel += FRICTION_STEP;
    }
}
