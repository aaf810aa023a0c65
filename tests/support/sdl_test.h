#pragma once

#include <ostream>

#include <gtest/gtest.h>

#include "SDL.h"

// A test with SDL up on the dummy video driver and a 640x480x32 window surface, and the
// font library started. SDL is shut down again after each test.
class SdlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    SDL_Surface* display = nullptr;
};

// A colour read back from a surface.
struct Rgb {
    Uint8 r;
    Uint8 g;
    Uint8 b;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

const Rgb BLACK{0, 0, 0};
const Rgb WHITE{255, 255, 255};
const Rgb CYAN{0, 255, 255};

// The colour of one pixel of a surface of any depth (locks the surface when it must).
Rgb ColourAt(SDL_Surface* surface, int x, int y);
// Fills a rectangle of the surface with a colour.
void FillRect(SDL_Surface* surface, int x, int y, int w, int h, Rgb colour);
// Whether every pixel of the rectangle has the colour.
bool AreaIs(SDL_Surface* surface, int x, int y, int w, int h, Rgb colour);
// Whether two surfaces of the same size hold the same colours everywhere.
bool SamePixels(SDL_Surface* a, SDL_Surface* b);
// A copy of the surface's pixels (in the screen's format) for later comparison.
SDL_Surface* CopyOf(SDL_Surface* surface);

// Events as the window would deliver them. Pushed events don't touch the held-key state.
void PushKeyDown(SDLKey key);
void PushKeyUp(SDLKey key);
void PushQuit();
void PushMouseMotion();
void DrainEvents();
int PendingEvents();

// The held-key state the games read with SDL_GetKeyState.
void HoldKey(SDLKey key);
void ReleaseKey(SDLKey key);
void ReleaseAllKeys();
