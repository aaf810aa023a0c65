#pragma once

#include "SDL.h"
#include "things/collidable_thing.h"
#include "things/located_thing.h"

// A brick as a plain value, for a saved game: its place, size, the map's number and the
// lives it has left.
struct BrickState {
    int x, y, w, h;
    int type;
    int lives;
};

// A fixed brick with 1 to 5 lives, drawn in the colour of the lives it has left, with one
// box equal to its rectangle. A type outside 1 to 5 gives a brick of 0 lives, which is never
// drawn and never loses a life. Bricks are values: a copy keeps its own box.
class Brick : public LocatedThing, public CollidableThing {
public:
    Brick(int type, int x, int y, int w, int h);
    explicit Brick(const BrickState& state);

    BrickState Save() const { return BrickState{xPos, yPos, xSize, ySize, type, lives}; }

    int GetLives() const { return lives; }
    void LoseLife();
    void Show(SDL_Surface* target);

private:
    int type;  // the map's number, kept with the brick as it was read
    int lives;
};
