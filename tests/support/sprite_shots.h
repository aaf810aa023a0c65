#pragma once

#include "SDL.h"
#include "shell/globals.h"
#include "tamu/game.h"
#include "things/displacer_thing.h"

// The sprites keep the piece of screen under them for the next frame of play. A test that
// starts the game again in the same process has a new screen, so the pieces go without being
// put back, as they would when a real program ends.
inline void DropSpriteShots() {
    const SDL_Rect nothing{};
    for (DisplacerThing* sprite :
         {static_cast<DisplacerThing*>(&theBall), static_cast<DisplacerThing*>(&myPaddle),
          static_cast<DisplacerThing*>(&tamu::otherPaddle)}) {
        sprite->TakeShot(nullptr, nothing);
    }
}
