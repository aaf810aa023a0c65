#pragma once

#include "things/located_thing.h"

// A thing that moves by its velocity, in pixels per frame, one step per frame of play.
class MobileThing : public LocatedThing {
public:
    MobileThing() : xVel(0), yVel(0) {}

    void SetBothVel(int x, int y) {
        xVel = x;
        yVel = y;
    }
    void SetXVel(int x) { xVel = x; }
    void SetYVel(int y) { yVel = y; }
    int GetXVel() const { return xVel; }
    int GetYVel() const { return yVel; }

    void UpdateLocation() {
        xPos += xVel;
        yPos += yVel;
    }
    // Steps back by the velocity as it is now, which may differ from the one it moved with.
    void UndoUpdate() {
        xPos -= xVel;
        yPos -= yVel;
    }

protected:
    int xVel;
    int yVel;
};
