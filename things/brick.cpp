#include "things/brick.h"

namespace {

const int MIN_LIVES = 1;
const int MAX_LIVES = 5;

struct BrickColour {
    Uint8 r;
    Uint8 g;
    Uint8 b;
};

// By lives left, 1 to 5: from dark blue towards red.
const BrickColour LIVES_COLOUR[MAX_LIVES] = {
    {0, 0, 150}, {100, 0, 200}, {150, 0, 150}, {200, 0, 100}, {255, 0, 50},
};

bool IsLivesCount(int value) {
    return value >= MIN_LIVES && value <= MAX_LIVES;
}

}  // namespace

Brick::Brick(int type, int x, int y, int w, int h)
    : type(type), lives(IsLivesCount(type) ? type : 0) {
    SetBothPos(x, y);
    SetBothSize(w, h);
    ClearBoxes();
    AddBox(xPos, yPos, xSize, ySize);
}

Brick::Brick(const BrickState& state) : Brick(state.type, state.x, state.y, state.w, state.h) {
    lives = state.lives;
}

void Brick::LoseLife() {
    if (lives > 0) {
        --lives;
    }
}

void Brick::Show(SDL_Surface* target) {
    if (!IsLivesCount(lives)) {
        return;
    }
    const BrickColour& colour = LIVES_COLOUR[lives - MIN_LIVES];
    SDL_Rect area = GetRect();
    SDL_FillRect(target, &area, SDL_MapRGB(target->format, colour.r, colour.g, colour.b));
}
