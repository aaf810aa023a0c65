#include "framework/present.h"

namespace {

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

void ZEM_Flip(SDL_Surface* screen) {
    ++presentCount;
    flipFunction(screen);
}

void ZEM_UpdateRects(SDL_Surface* screen, int count, SDL_Rect* rects) {
    ++presentCount;
    updateRectsFunction(screen, count, rects);
}

unsigned ZEM_PresentCount() {
    return presentCount;
}

void ZEM_SetPresenter(ZemFlipFunction flip, ZemUpdateRectsFunction updateRects) {
    flipFunction = flip != nullptr ? flip : FlipWhileShown;
    updateRectsFunction = updateRects != nullptr ? updateRects : UpdateRectsWhileShown;
}
