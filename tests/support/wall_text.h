#pragma once

#include <string>

#include <gtest/gtest.h>

#include "SDL.h"
#include "SDL_ttf.h"

// A line of text as the games draw it on a wall: rendered in a font and colour, centred
// across the window with its top on the wall's top row, over the white wall.
class WallText {
public:
    WallText(TTF_Font* font, const std::string& text, SDL_Color colour);
    ~WallText();
    WallText(const WallText&) = delete;
    WallText& operator=(const WallText&) = delete;

    // The rendered text; nullptr when the font could not render it.
    SDL_Surface* Rendered() const { return line; }

    // Whether the wall's rows of the surface, over the window's first columns, show exactly
    // this line; a failure tells how many pixels differ and where the first of them is.
    ::testing::AssertionResult ShownOn(SDL_Surface* surface, const SDL_Rect& wall,
                                       int columns) const;

private:
    SDL_Surface* line;
};
