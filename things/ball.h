#pragma once

#include "things/collidable_thing.h"
#include "things/displacer_thing.h"
#include "things/mobile_thing.h"

// The ball: a white square whose four one-pixel boxes are the middles of its left, top,
// right and bottom sides, in that order.
class Ball : public MobileThing, public CollidableThing, public DisplacerThing {
public:
    void Show(SDL_Surface* target);
    void SetCollBoxes();
};
