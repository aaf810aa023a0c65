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

}  // namespace

void ZEM_Flip(SDL_Surface* screen) {
    flipFunction(screen);
}

void ZEM_UpdateRects(SDL_Surface* screen, int count, SDL_Rect* rects) {
    updateRectsFunction(screen, count, rects);
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
