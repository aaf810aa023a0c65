#include "framework/scale.h"

#include <cstring>

namespace {

Uint32* PixelAt(SDL_Surface* surface, int x, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch) + x;
}

// One row of the area, each pixel repeated factor times across.
void WidenRow(const Uint32* from, int width, Uint32* to, int factor) {
    for (int x = 0; x < width; ++x) {
        for (int copy = 0; copy < factor; ++copy) {
            *to++ = from[x];
        }
    }
}

}  // namespace

void ZEM_ScaleArea(SDL_Surface* picture, const SDL_Rect& area, SDL_Surface* target, int factor,
                   int left, int top) {
    if (SDL_LockSurface(picture) != 0) {
        return;
    }
    if (SDL_LockSurface(target) != 0) {
        SDL_UnlockSurface(picture);
        return;
    }
    const size_t rowBytes = static_cast<size_t>(area.w) * factor * sizeof(Uint32);
    for (int y = area.y; y < area.y + area.h; ++y) {
        // The first row of the block is widened, the others copied from it whole.
        Uint32* first = PixelAt(target, left + area.x * factor, top + y * factor);
        WidenRow(PixelAt(picture, area.x, y), area.w, first, factor);
        for (int copy = 1; copy < factor; ++copy) {
            std::memcpy(PixelAt(target, left + area.x * factor, top + y * factor + copy), first,
                        rowBytes);
        }
    }
    SDL_UnlockSurface(target);
    SDL_UnlockSurface(picture);
}

namespace {

// Which of the picture's count pixels along one axis the target's coordinate lies on, held to
// the picture; false when it lies beyond it.
bool PictureCoordinate(int onTarget, int factor, int start, int count, int* onPicture) {
    const int offset = onTarget - start;
    if (offset < 0) {
        *onPicture = 0;
        return false;
    }
    if (offset >= count * factor) {
        *onPicture = count - 1;
        return false;
    }
    *onPicture = offset / factor;
    return true;
}

}  // namespace

bool ZEM_PicturePointAt(int x, int y, int factor, int left, int top, int pictureWidth,
                        int pictureHeight, int* pictureX, int* pictureY) {
    const bool column = PictureCoordinate(x, factor, left, pictureWidth, pictureX);
    const bool row = PictureCoordinate(y, factor, top, pictureHeight, pictureY);
    return column && row;
}
