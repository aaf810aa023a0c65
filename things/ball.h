#pragma once

#include "SDL.h"
#include "things/collidable_thing.h"
#include "things/displacer_thing.h"
#include "things/mobile_thing.h"

// The ball: a white square whose four one-pixel boxes are the middles of its left, top,
// right and bottom sides, in that order (for an even size, the pixel just left of or above
// the middle). Play reads which side touched a brick by these indices.
class Ball : public MobileThing, public CollidableThing, public DisplacerThing {
public:
    enum Side { LEFT_SIDE = 0, TOP_SIDE = 1, RIGHT_SIDE = 2, BOTTOM_SIDE = 3 };

    void Show(SDL_Surface* target);
    void SetCollBoxes();
};
