#include "framework/present.h"

#include <stdlib.h>

#include "framework/surface.h"

namespace {

// The compatibility layer over SDL 2 reports 1.2.50 and up; classic SDL stops at 1.2.15.
const Uint8 FIRST_COMPAT_PATCH = 50;

void FlipWhileShown(SDL_Surface* screen) {
    if (ZEM_VideoSurface() != nullptr) {
        SDL_Flip(screen);
    }
}

void UpdateRectsWhileShown(SDL_Surface* screen, int count, SDL_Rect* rects) {
    if (ZEM_VideoSurface() != nullptr) {
        SDL_UpdateRects(screen, count, rects);
    }
}

ZemFlipFunction flipFunction = FlipWhileShown;
ZemUpdateRectsFunction updateRectsFunction = UpdateRectsWhileShown;
unsigned presentCount = 0;

// SDL 2 reads these from the environment when the window opens.
const char* const FRAMEBUFFER_VARIABLE = "SDL_FRAMEBUFFER_ACCELERATION";
const char* const FRAMEBUFFER_NATIVE = "0";
const char* const RENDERER_VARIABLE = "SDL_RENDER_DRIVER";
const char* const RENDERER_SOFTWARE = "software";

// Sets the variable unless the player did.
void SetUnlessChosen(const char* name, const char* value) {
    setenv(name, value, 0);
}

}  // namespace

bool ZEM_OnCompatibilityLayer() {
    return SDL_Linked_Version()->patch >= FIRST_COMPAT_PATCH;
}

// The layer copies the screen into a texture for every present and draws it with SDL 2's
// renderer; SDL 2's first choice here is a GL renderer, whose texture upload and read-back
// cost about 3 ms a present. The software renderer on the window's own framebuffer copies the
// picture once and hands it to the X server in shared memory (bench/results.md).
void ZEM_ChoosePresentPath() {
    if (!ZEM_OnCompatibilityLayer()) {
        return;
    }
    SetUnlessChosen(FRAMEBUFFER_VARIABLE, FRAMEBUFFER_NATIVE);
    SetUnlessChosen(RENDERER_VARIABLE, RENDERER_SOFTWARE);
}

// Measured on 1.2.60 and 1.2.68 on this path too: rectangles cost about the same as the whole
// window there and still hold frames back (play at 92-95% of its pace against 97-99% whole).
bool ZEM_RectsPresentable() {
    return !ZEM_OnCompatibilityLayer();
}

void ZEM_Flip(SDL_Surface* screen) {
    ++presentCount;
    flipFunction(screen);
}

// The compatibility layer shows the whole window whatever part changed, on every path,
// and a present of rectangles holds the next frame back (play fell to about two thirds of its
// pace under X): there the whole screen is shown instead, which looks the same.
void ZEM_UpdateRects(SDL_Surface* screen, int count, SDL_Rect* rects) {
    ++presentCount;
    if (!ZEM_RectsPresentable()) {
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
