#include "things/ball.h"

namespace {

// White: red, green and blue all at full.
const Uint8 WHITE_LEVEL = 255;
const int SIDE_POINT_SIZE = 1;

}  // namespace

void Ball::Show(SDL_Surface* target) {
    SDL_Rect area = GetRect();
    SDL_FillRect(target, &area, SDL_MapRGB(target->format, WHITE_LEVEL, WHITE_LEVEL, WHITE_LEVEL));
}

void Ball::SetCollBoxes() {
    const int middleX = xPos + (xSize - 1) / 2;
    const int middleY = yPos + (ySize - 1) / 2;
    const int rightX = xPos + xSize - 1;
    const int bottomY = yPos + ySize - 1;

    ClearBoxes();
    AddBox(xPos, middleY, SIDE_POINT_SIZE, SIDE_POINT_SIZE);
    AddBox(middleX, yPos, SIDE_POINT_SIZE, SIDE_POINT_SIZE);
    AddBox(rightX, middleY, SIDE_POINT_SIZE, SIDE_POINT_SIZE);
    AddBox(middleX, bottomY, SIDE_POINT_SIZE, SIDE_POINT_SIZE);
}
