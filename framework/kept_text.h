#pragma once

#include <string>

#include "SDL.h"
#include "SDL_ttf.h"

// Rendering the same text again gives the same pixels, so the drawing that repeats a line or
// a box every frame may keep it instead. What a kept picture is drawn from falls in two
// kinds: what the drawing code passes in (text, colour, the menu's lines), which the keeper
// compares itself, and the loaded fonts, textures and the screen's format, which only
// start-up, shut-down and a new video mode change. Whoever changes those calls
// ZEM_ForgetKeptPictures, and every kept picture is drawn afresh on its next use.

void ZEM_ForgetKeptPictures();

// Goes up by one at every ZEM_ForgetKeptPictures: a keeper compares it with the count it
// drew under.
unsigned ZEM_KeptPicturesAge();

// One line of text rendered with TTF_RenderText_Solid, kept with what it was rendered from.
class KeptText {
public:
    KeptText() = default;
    ~KeptText() { SDL_FreeSurface(surface); }
    KeptText(const KeptText&) = delete;
    KeptText& operator=(const KeptText&) = delete;

    // The rendered line (null when the font is missing or can't render it), rendered afresh
    // when the font, text or colour differ from last time or the kept pictures were
    // forgotten since. It stays this object's: the caller draws it and must not free it.
    SDL_Surface* Render(TTF_Font* font, const std::string& text, SDL_Color colour);

    // Whether the last Render drew a new line rather than the kept one.
    bool Changed() const { return changed; }

private:
    SDL_Surface* surface = nullptr;
    TTF_Font* renderedFont = nullptr;
    unsigned renderedAge = 0;
    bool rendered = false;
    bool changed = false;
    std::string renderedText;
    SDL_Color renderedColour{};
};
