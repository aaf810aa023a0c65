#include "framework/surface.h"

#include "SDL_image.h"

namespace {

// Pure cyan: the colour every surface of the games treats as "nothing here".
const Uint8 KEY_RED = 0;
const Uint8 KEY_GREEN = 255;
const Uint8 KEY_BLUE = 255;
const Uint32 KEY_FLAGS = SDL_SRCCOLORKEY | SDL_RLEACCEL;

// The box texture is a 3 x 3 grid of tiles, numbered row by row from the top left.
const int TILES_PER_ROW = 3;
const int TILE_COUNT = 9;
enum Tile {
    TOP_LEFT = 0,
    TOP_EDGE = 1,
    TOP_RIGHT = 2,
    LEFT_EDGE = 3,
    INSIDE = 4,
    RIGHT_EDGE = 5,
    BOTTOM_LEFT = 6,
    BOTTOM_EDGE = 7,
    BOTTOM_RIGHT = 8,
};

void SetCyanKey(SDL_Surface* surface) {
    SDL_SetColorKey(surface, KEY_FLAGS, SDL_MapRGB(surface->format, KEY_RED, KEY_GREEN, KEY_BLUE));
}

// The pieces a box is framed from, and the box being framed.
struct BoxFrame {
    SDL_Surface* texture;
    SDL_Surface* box;
    SDL_Rect tiles[TILE_COUNT];
    int tileSize;

    void Put(int tile, int x, int y) { ZEM_BlitSurface(texture, &tiles[tile], box, x, y); }

    // One column of the middle: inside tiles down to the bottom edge, then the top and
    // bottom edge tiles, which cover whatever inside tile reached into their strips.
    void Column(int x) {
        for (int y = tileSize; y < box->h - tileSize; y += tileSize) {
            Put(INSIDE, x, y);
        }
        Put(TOP_EDGE, x, 0);
        Put(BOTTOM_EDGE, x, box->h - tileSize);
    }

    void Row(int y) {
        Put(LEFT_EDGE, 0, y);
        Put(RIGHT_EDGE, box->w - tileSize, y);
    }
};

}  // namespace

void ZEM_BlitSurface(SDL_Surface* source, SDL_Rect* sourceRect, SDL_Surface* destination, int x,
                     int y) {
    SDL_Rect where = ZEM_Rect(x, y, 0, 0);
    SDL_BlitSurface(source, sourceRect, destination, &where);
}

SDL_Surface* ZEM_VideoSurface() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 ? SDL_GetVideoSurface() : nullptr;
}

SDL_Surface* ZEM_NewSurface(int width, int height) {
    SDL_Surface* screen = ZEM_VideoSurface();
    if (screen == nullptr || width < 0 || height < 0) {
        return nullptr;
    }
    const SDL_PixelFormat* format = screen->format;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(0, width, height, format->BitsPerPixel, format->Rmask, format->Gmask,
                             format->Bmask, format->Amask);
    if (surface == nullptr) {
        return nullptr;
    }
    SetCyanKey(surface);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, KEY_RED, KEY_GREEN, KEY_BLUE));
    return surface;
}

SDL_Surface* ZEM_LoadImage(std::string fileName) {
    SDL_Surface* loaded = IMG_Load(fileName.c_str());
    if (loaded == nullptr) {
        return nullptr;
    }
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    if (converted != nullptr) {
        SetCyanKey(converted);
    }
    return converted;
}

SDL_Surface* ZEM_RenderBox(int width, int height, int tileSize, SDL_Surface* texture) {
    SDL_Surface* box = ZEM_NewSurface(width, height);
    if (box == nullptr || tileSize <= 0) {
        // Without tiles of some size there is nothing to frame with: the box stays blank.
        return box;
    }
    BoxFrame frame{texture, box, {}, tileSize};
    for (int tile = 0; tile < TILE_COUNT; ++tile) {
        frame.tiles[tile] = ZEM_Rect(tile % TILES_PER_ROW * tileSize,
                                     tile / TILES_PER_ROW * tileSize, tileSize, tileSize);
    }

    frame.Put(TOP_LEFT, 0, 0);
    frame.Put(TOP_RIGHT, width - tileSize, 0);
    frame.Put(BOTTOM_LEFT, 0, height - tileSize);
    frame.Put(BOTTOM_RIGHT, width - tileSize, height - tileSize);

    // The middle columns, then a last one flush against the right edge tiles.
    for (int x = tileSize; x < width - 2 * tileSize; x += tileSize) {
        frame.Column(x);
    }
    frame.Column(width - 2 * tileSize);

    // The side edges likewise, the last row flush against the bottom corners.
    for (int y = tileSize; y < height - 2 * tileSize; y += tileSize) {
        frame.Row(y);
    }
    frame.Row(height - 2 * tileSize);
    return box;
}
