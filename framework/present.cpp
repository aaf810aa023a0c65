#include "framework/present.h"

namespace {

// The compatibility layer over SDL 2 reports 1.2.50 and up; classic SDL stops at 1.2.15.
const Uint8 FIRST_COMPAT_PATCH = 50;

void FlipWhileShown(SDL_Surface* screen) {
    if (SDL_GetVideoSurface() != nullptr) {
        SDL_Flip(screen);
    }
}

void UpdateRectsWhileShown(SDL_Surface* screen, int count, SDL_Rect* rects) {
    if (SDL_GetVideoSurface() != nullptr) {
        SDL_UpdateRects(screen, count, rects);
    }
}

ZemFlipFunction flipFunction = FlipWhileShown;
ZemUpdateRectsFunction updateRectsFunction = UpdateRectsWhileShown;
unsigned presentCount = 0;

}  // namespace

bool ZEM_OnCompatibilityLayer() {
    return SDL_Linked_Version()->patch >= FIRST_COMPAT_PATCH;
}

void ZEM_Flip(SDL_Surface* screen) {
    ++presentCount;
    flipFunction(screen);
}

// On the compatibility layer every present shows the whole window whatever part changed,
// and a present of rectangles holds the next frame back (play fell to about two thirds of its
// pace under X): there the whole screen is shown instead, which looks the same.
void ZEM_UpdateRects(SDL_Surface* screen, int count, SDL_Rect* rects) {
    ++presentCount;
    if (ZEM_OnCompatibilityLayer()) {
        flipFunction(screen);
        return;
    }
    updateRectsFunction(screen, count, rects);
}

unsigned ZEM_PresentCount() {
    return presentCount;
}

void ZEM_SetPresenter(ZemFlipFunction flip, ZemUpdateRectsFunction updateRects) {
    flipFunction = flip != nullptr ? flip : FlipWhileShown;
    updateRectsFunction = updateRects != nullptr ? updateRects : UpdateRectsWhileShown;
}

void ZEM_GetPresenter(ZemFlipFunction* flip, ZemUpdateRectsFunction* updateRects) {
    *flip = flipFunction;
    *updateRects = updateRectsFunction;
}

namespace {

SDL_Surface* replacedWindow = nullptr;
SDL_Surface* pictureForWindow = nullptr;

}  // namespace

void ZEM_DrawOnPictureFor(SDL_Surface* window, SDL_Surface* picture) {
    replacedWindow = window;
    pictureForWindow = picture;
}

SDL_Surface* ZEM_DrawingSurface(SDL_Surface* surface) {
    return surface != nullptr && surface == replacedWindow ? pictureForWindow : surface;
}
