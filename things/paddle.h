#pragma once

#include "SDL.h"
#include "things/collidable_thing.h"
#include "things/displacer_thing.h"
#include "things/mobile_thing.h"

// A white paddle steered sideways by velocity steps, with twelve boxes in two rows of six
// whose indices each give the ball its own bounce: 0 to 5 the upper half, 6 to 11 the lower,
// each row cut left to right into one, two, one, one, two and one eighth of the width.
// Columns beyond 8 eighths (when the width is not a multiple of 8) belong to no box.
class Paddle : public MobileThing, public CollidableThing, public DisplacerThing {
public:
    // The top steering speed in pixels per frame, set for the game being played.
    static int speedLimit;

    void Show(SDL_Surface* target);
    void SetCollBoxes();
    // Steering steps of 2 pixels per frame, up to speedLimit either way.
    void Left();
    void Right();
    // Slows the paddle by 1 pixel per frame towards rest, never past it.
    void Friction();
};
