#pragma once

#include "SDL.h"

// Erases a sprite without redrawing the picture: saves the piece of a surface the sprite
// will cover, and later writes it back to the same place.
class DisplacerThing {
public:
    DisplacerThing();
    ~DisplacerThing();
    DisplacerThing(const DisplacerThing&) = delete;
    DisplacerThing& operator=(const DisplacerThing&) = delete;

    // Saves the area of the source. A piece still held is dropped first, unreturned.
    void TakeShot(SDL_Surface* source, SDL_Rect area);
    // Puts the saved piece back where it came from and drops it; harmless when none is held.
    void ReturnShot();

private:
    SDL_Surface* shot;
    SDL_Rect shotRect;
    SDL_Surface* origin;
};
