#include "framework/kept_text.h"

namespace {

unsigned keptPicturesAge = 0;

bool SameColour(const SDL_Color& a, const SDL_Color& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.unused == b.unused;
}

}  // namespace

void ZEM_ForgetKeptPictures() {
    ++keptPicturesAge;
}

unsigned ZEM_KeptPicturesAge() {
    return keptPicturesAge;
}

SDL_Surface* KeptText::Render(TTF_Font* font, const std::string& text, SDL_Color colour) {
    changed = !rendered || font != renderedFont || renderedAge != keptPicturesAge ||
              text != renderedText || !SameColour(colour, renderedColour);
    if (!changed) {
        return surface;
    }
    SDL_FreeSurface(surface);
    surface = font != nullptr ? TTF_RenderText_Solid(font, text.c_str(), colour) : nullptr;
    rendered = true;
    renderedFont = font;
    renderedAge = keptPicturesAge;
    renderedText = text;
    renderedColour = colour;
    return surface;
}
