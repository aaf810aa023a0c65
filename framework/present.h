#pragma once

#include "SDL.h"

// Every picture the games show reaches the window through these calls, so that a test or a
// scaled window can stand between the drawing and the display. Unless replaced they are
// SDL_Flip and SDL_UpdateRects; without a video mode there is nothing to show and they do
// nothing.

using ZemFlipFunction = void (*)(SDL_Surface* screen);
using ZemUpdateRectsFunction = void (*)(SDL_Surface* screen, int count, SDL_Rect* rects);

// Shows the whole surface.
void ZEM_Flip(SDL_Surface* screen);
// Shows only these rectangles of the surface.
void ZEM_UpdateRects(SDL_Surface* screen, int count, SDL_Rect* rects);

// How many presents there have been: a screen that presents only what it changed compares
// it with the count after its own last present to know that nobody else showed anything.
unsigned ZEM_PresentCount();

// Whether the SDL 1.2 in use is the compatibility layer over SDL 2 rather than classic SDL.
bool ZEM_OnCompatibilityLayer();

// On the compatibility layer, asks SDL 2 for its software renderer drawing straight onto the
// window's own framebuffer, the cheapest way there to show a software picture; a variable
// the player set in the environment is left as it is. Call before SDL_Init.
void ZEM_ChoosePresentPath();

// Replaces the presenter; null for either puts SDL's own call back.
void ZEM_SetPresenter(ZemFlipFunction flip, ZemUpdateRectsFunction updateRects);

// The presenter in use, for whoever stands in between for a while and puts it back.
void ZEM_GetPresenter(ZemFlipFunction* flip, ZemUpdateRectsFunction* updateRects);

// When the window turns into an enlarged copy of a picture the game draws on, anything still
// aimed at the window (a sprite's saved background, a saved screen, a menu that blocks while
// the switch happens) must go to that picture instead.
void ZEM_DrawOnPictureFor(SDL_Surface* window, SDL_Surface* picture);

// The surface that drawing aimed at this one goes to.
SDL_Surface* ZEM_DrawingSurface(SDL_Surface* surface);
