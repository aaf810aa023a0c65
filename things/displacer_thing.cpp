#include "things/displacer_thing.h"

#include "framework/present.h"
#include "framework/surface.h"

DisplacerThing::DisplacerThing() : shot(nullptr), shotRect{}, origin(nullptr) {
}

// The piece is dropped, not written back: the surface it came from may be gone by now.
DisplacerThing::~DisplacerThing() {
    SDL_FreeSurface(shot);
    shot = nullptr;
    origin = nullptr;
}

void DisplacerThing::TakeShot(SDL_Surface* source, SDL_Rect area) {
    SDL_FreeSurface(shot);
    shot = source != nullptr ? ZEM_NewSurface(area.w, area.h) : nullptr;
    if (shot == nullptr) {
        origin = nullptr;
        return;
    }
    shotRect = area;
    origin = source;
    // Whatever of the area lies outside the source stays cyan, so it is never written back.
    ZEM_BlitSurface(source, &shotRect, shot, 0, 0);
}

void DisplacerThing::ReturnShot() {
    if (shot == nullptr) {
        return;
    }
    ZEM_BlitSurface(shot, nullptr, ZEM_DrawingSurface(origin), shotRect.x, shotRect.y);
    SDL_FreeSurface(shot);
    shot = nullptr;
    origin = nullptr;
}
