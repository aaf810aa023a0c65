#pragma once

#include <string>

#include "SDL.h"

// Surface helpers shared by both games. Pure cyan (0, 255, 255) is the transparent colour:
// every surface made or loaded here carries it as its colour key. Returned surfaces belong
// to the caller, who frees them with SDL_FreeSurface. All but ZEM_BlitSurface need the
// video mode to be set.

// A rectangle from ints, each value keeping its low 16 bits as SDL_Rect stores it.
constexpr SDL_Rect ZEM_Rect(int x, int y, int w, int h) {
    return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                    static_cast<Uint16>(h)};
}

// Blits the source rectangle (null: the whole source) onto the destination at (x, y).
void ZEM_BlitSurface(SDL_Surface* source, SDL_Rect* sourceRect, SDL_Surface* destination, int x,
                     int y);

// The window's surface while video runs; null before a mode is set and once video is shut
// down, where the compatibility layer still hands out the freed surface.
SDL_Surface* ZEM_VideoSurface();

// A new surface in the screen's format, entirely transparent. Null when SDL can't make one.
SDL_Surface* ZEM_NewSurface(int width, int height);

// The picture in the file, converted to the display format and keyed on cyan; null when it
// can't be loaded or converted.
SDL_Surface* ZEM_LoadImage(std::string fileName);

// A width x height box framed from the texture's 3 x 3 tiles of side tileSize; null when the
// box surface can't be made.
SDL_Surface* ZEM_RenderBox(int width, int height, int tileSize, SDL_Surface* texture);
