#include "tests/support/wall_text.h"

#include "tests/support/sdl_test.h"

WallText::WallText(TTF_Font* font, const std::string& text, SDL_Color colour)
    : line(TTF_RenderText_Solid(font, text.c_str(), colour)) {
}

WallText::~WallText() {
    SDL_FreeSurface(line);
}

::testing::AssertionResult WallText::ShownOn(SDL_Surface* surface, const SDL_Rect& wall,
                                             int columns) const {
    if (line == nullptr) {
        return ::testing::AssertionFailure() << "the text could not be rendered";
    }
    SDL_Surface* expected = CopyOf(surface);
    FillRect(expected, wall.x, wall.y, wall.w, wall.h, WHITE);
    SDL_Rect at = {static_cast<Sint16>((640 - line->w) / 2), wall.y, 0, 0};
    SDL_BlitSurface(line, nullptr, expected, &at);
    int differing = 0;
    int firstX = -1;
    int firstY = -1;
    for (int y = wall.y; y < wall.y + wall.h; ++y) {
        for (int x = 0; x < columns; ++x) {
            if (ColourAt(surface, x, y) != ColourAt(expected, x, y)) {
                if (differing == 0) {
                    firstX = x;
                    firstY = y;
                }
                ++differing;
            }
        }
    }
    SDL_FreeSurface(expected);
    if (differing != 0) {
        return ::testing::AssertionFailure()
               << differing << " pixels differ, the first at (" << firstX << ", " << firstY << ")";
    }
    return ::testing::AssertionSuccess();
}
