#pragma once

#include "SDL.h"
#include "framework/surface.h"

// Anything on the playfield: an integer position (top-left corner) and size, in pixels.
class LocatedThing {
public:
    LocatedThing() : xPos(0), yPos(0), xSize(0), ySize(0) {}

    void SetBothPos(int x, int y) {
        xPos = x;
        yPos = y;
    }
    void SetBothSize(int width, int height) {
        xSize = width;
        ySize = height;
    }
    void SetXPos(int x) { xPos = x; }
    int GetXPos() const { return xPos; }
    int GetYPos() const { return yPos; }
    int GetXSize() const { return xSize; }
    int GetYSize() const { return ySize; }

    // The thing's rectangle, each value keeping its low 16 bits as SDL_Rect stores it.
    SDL_Rect GetRect() const { return ZEM_Rect(xPos, yPos, xSize, ySize); }

protected:
    int xPos;
    int yPos;
    int xSize;
    int ySize;
};
