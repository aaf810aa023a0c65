#pragma once

#include "things/collidable_thing.h"
#include "things/displacer_thing.h"
#include "things/mobile_thing.h"

// A white paddle steered sideways by velocity steps, with twelve boxes in two rows of six
// whose indices each give the ball its own bounce.
class Paddle : public MobileThing, public CollidableThing, public DisplacerThing {
public:
    // The top steering speed in pixels per frame: each program defines it for its game.
    static int speedLimit;

    void Show(SDL_Surface* target);
    void SetCollBoxes();
    void Left();
    void Right();
    void Friction();
};
