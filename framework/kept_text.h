#pragma once

#include <cstring>
#include <string>

#include "SDL.h"
#include "SDL_ttf.h"

// Rendering the same text again gives the same pixels, so the drawing that repeats a line
// every frame may keep the rendered line instead, for as long as nothing it was rendered from
// has changed. These two helpers decide when that is.

// What decides the pixels a font renders. The font's address alone is not enough: a closed
// font's address may come back with the next font opened, so the face, size and settings
// are compared too.
struct FontLook {
    TTF_Font* font = nullptr;
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int lineSkip = 0;
    int style = 0;
    int outline = 0;
    int hinting = 0;
    int kerning = 0;
    std::string family;
    std::string faceStyle;

    static FontLook Of(TTF_Font* font) {
        FontLook look;
        look.font = font;
        if (font == nullptr) {
            return look;
        }
        look.height = TTF_FontHeight(font);
        look.ascent = TTF_FontAscent(font);
        look.descent = TTF_FontDescent(font);
        look.lineSkip = TTF_FontLineSkip(font);
        look.style = TTF_GetFontStyle(font);
        look.outline = TTF_GetFontOutline(font);
        look.hinting = TTF_GetFontHinting(font);
        look.kerning = TTF_GetFontKerning(font);
        look.family = NameOrEmpty(TTF_FontFaceFamilyName(font));
        look.faceStyle = NameOrEmpty(TTF_FontFaceStyleName(font));
        return look;
    }

    bool Matches(TTF_Font* other) const {
        if (other != font) {
            return false;
        }
        if (other == nullptr) {
            return true;
        }
        return height == TTF_FontHeight(other) && ascent == TTF_FontAscent(other) &&
               descent == TTF_FontDescent(other) && lineSkip == TTF_FontLineSkip(other) &&
               style == TTF_GetFontStyle(other) && outline == TTF_GetFontOutline(other) &&
               hinting == TTF_GetFontHinting(other) && kerning == TTF_GetFontKerning(other) &&
               family == NameOrEmpty(TTF_FontFaceFamilyName(other)) &&
               faceStyle == NameOrEmpty(TTF_FontFaceStyleName(other));
    }

    static const char* NameOrEmpty(const char* name) { return name != nullptr ? name : ""; }
};

// One line of text rendered with TTF_RenderText_Solid, kept with what it was rendered from.
class KeptText {
public:
    KeptText() = default;
    ~KeptText() { SDL_FreeSurface(surface); }
    KeptText(const KeptText&) = delete;
    KeptText& operator=(const KeptText&) = delete;

    // The rendered line (null when the font is missing or can't render it), rendered afresh
    // only when the font, text or colour differ from last time. It stays this object's: the
    // caller draws it and must not change or free it.
    SDL_Surface* Render(TTF_Font* font, const std::string& text, SDL_Color colour) {
        if (surface != nullptr && look.Matches(font) && text == renderedText &&
            std::memcmp(&colour, &renderedColour, sizeof colour) == 0) {
            return surface;
        }
        SDL_FreeSurface(surface);
        surface = font != nullptr ? TTF_RenderText_Solid(font, text.c_str(), colour) : nullptr;
        look = FontLook::Of(font);
        renderedText = text;
        renderedColour = colour;
        return surface;
    }

private:
    SDL_Surface* surface = nullptr;
    FontLook look;
    std::string renderedText;
    SDL_Color renderedColour{};
};
