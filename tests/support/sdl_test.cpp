#include "tests/support/sdl_test.h"

#include <cstdlib>
#include <cstring>

#include "SDL_ttf.h"
#include "framework/kept_text.h"

void SdlTest::SetUp() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    display = SDL_SetVideoMode(640, 480, 32, 0);
    ASSERT_NE(display, nullptr) << SDL_GetError();
    // A new screen: nothing kept from an earlier test's may stand for it.
    ZEM_ForgetKeptPictures();
    ASSERT_EQ(TTF_Init(), 0);
    DrainEvents();
    ReleaseAllKeys();
}

void SdlTest::TearDown() {
    DrainEvents();
    ReleaseAllKeys();
    if (TTF_WasInit()) {
        TTF_Quit();
    }
    SDL_Quit();
    display = nullptr;
}

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
    return out << "(" << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ")";
}

static Uint32 RawPixel(SDL_Surface* surface, int x, int y) {
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    switch (surface->format->BytesPerPixel) {
        case 1:
            return row[x];
        case 2:
            return reinterpret_cast<const Uint16*>(row)[x];
        case 3: {
            const Uint8* p = row + 3 * x;
            return SDL_BYTEORDER == SDL_BIG_ENDIAN ? (p[0] << 16 | p[1] << 8 | p[2])
                                                   : (p[0] | p[1] << 8 | p[2] << 16);
        }
        default:
            return reinterpret_cast<const Uint32*>(row)[x];
    }
}

Rgb ColourAt(SDL_Surface* surface, int x, int y) {
    EXPECT_TRUE(x >= 0 && y >= 0 && x < surface->w && y < surface->h)
        << "pixel (" << x << ", " << y << ") outside a " << surface->w << "x" << surface->h
        << " surface";
    if (x < 0 || y < 0 || x >= surface->w || y >= surface->h) {
        return Rgb{0, 0, 0};
    }
    SDL_LockSurface(surface);
    Uint32 pixel = RawPixel(surface, x, y);
    SDL_UnlockSurface(surface);
    Rgb colour{};
    SDL_GetRGB(pixel, surface->format, &colour.r, &colour.g, &colour.b);
    return colour;
}

void FillRect(SDL_Surface* surface, int x, int y, int w, int h, Rgb colour) {
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = static_cast<Uint16>(w);
    rect.h = static_cast<Uint16>(h);
    SDL_FillRect(surface, &rect, SDL_MapRGB(surface->format, colour.r, colour.g, colour.b));
}

bool AreaIs(SDL_Surface* surface, int x, int y, int w, int h, Rgb colour) {
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            if (ColourAt(surface, column, row) != colour) {
                return false;
            }
        }
    }
    return true;
}

bool SamePixels(SDL_Surface* a, SDL_Surface* b) {
    if (a->w != b->w || a->h != b->h) {
        return false;
    }
    for (int y = 0; y < a->h; ++y) {
        for (int x = 0; x < a->w; ++x) {
            if (ColourAt(a, x, y) != ColourAt(b, x, y)) {
                return false;
            }
        }
    }
    return true;
}

SDL_Surface* CopyOf(SDL_Surface* surface) {
    SDL_Surface* copy =
        SDL_CreateRGBSurface(0, surface->w, surface->h, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            Rgb colour{};
            SDL_GetRGB(RawPixel(surface, x, y), surface->format, &colour.r, &colour.g, &colour.b);
            Uint32* row =
                reinterpret_cast<Uint32*>(static_cast<Uint8*>(copy->pixels) + y * copy->pitch);
            row[x] = SDL_MapRGB(copy->format, colour.r, colour.g, colour.b);
        }
    }
    SDL_UnlockSurface(surface);
    return copy;
}

static void PushKey(Uint8 type, SDLKey key) {
    SDL_Event pushed;
    std::memset(&pushed, 0, sizeof pushed);
    pushed.type = type;
    pushed.key.type = type;
    pushed.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    pushed.key.keysym.sym = key;
    SDL_PushEvent(&pushed);
}

void PushKeyDown(SDLKey key) {
    PushKey(SDL_KEYDOWN, key);
}

void PushKeyUp(SDLKey key) {
    PushKey(SDL_KEYUP, key);
}

void PushQuit() {
    SDL_Event pushed;
    std::memset(&pushed, 0, sizeof pushed);
    pushed.type = SDL_QUIT;
    SDL_PushEvent(&pushed);
}

void PushMouseMotion() {
    SDL_Event pushed;
    std::memset(&pushed, 0, sizeof pushed);
    pushed.type = SDL_MOUSEMOTION;
    pushed.motion.type = SDL_MOUSEMOTION;
    pushed.motion.x = 10;
    pushed.motion.y = 10;
    SDL_PushEvent(&pushed);
}

void DrainEvents() {
    SDL_Event drained;
    while (SDL_PollEvent(&drained)) {
    }
}

int PendingEvents() {
    SDL_PumpEvents();
    SDL_Event peeked[64];
    return SDL_PeepEvents(peeked, 64, SDL_PEEKEVENT, SDL_ALLEVENTS);
}

void HoldKey(SDLKey key) {
    SDL_GetKeyState(nullptr)[key] = 1;
}

void ReleaseKey(SDLKey key) {
    SDL_GetKeyState(nullptr)[key] = 0;
}

void ReleaseAllKeys() {
    int count = 0;
    Uint8* keys = SDL_GetKeyState(&count);
    std::memset(keys, 0, count);
}
