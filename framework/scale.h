#pragma once

#include "SDL.h"

// Enlarging the game's picture for a bigger window: every pixel becomes a factor x factor
// block of the same colour, so the picture stays exactly as drawn, only bigger.

// Copies the area of the picture onto the target, factor times larger, with the picture's
// top left corner at (left, top) of the target: picture pixel (x, y) fills the block at
// (left + x * factor, top + y * factor). Both surfaces hold 32-bit pixels of one format; the
// area must lie inside the picture and its enlargement inside the target.
void ZEM_ScaleArea(SDL_Surface* picture, const SDL_Rect& area, SDL_Surface* target, int factor,
                   int left, int top);

// The other way round: the picture pixel shown at (x, y) of a target the picture was enlarged
// onto as above. A spot outside the enlarged picture (the black around a centred one) gives
// the nearest pixel of its edge, and false.
bool ZEM_PicturePointAt(int x, int y, int factor, int left, int top, int pictureWidth,
                        int pictureHeight, int* pictureX, int* pictureY);
