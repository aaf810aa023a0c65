#pragma once

#include "framework/state_hash.h"
#include "things/located_thing.h"

// All a moving thing's rules keep from one frame to the next, as a plain value: where it is,
// how big, and how fast. (Its boxes are rebuilt from these before any test reads them.)
struct MoverState {
    int x, y, w, h;
    int xVel, yVel;
};

inline void AddToHash(StateHash& hash, const MoverState& mover) {
    for (int value : {mover.x, mover.y, mover.w, mover.h, mover.xVel, mover.yVel}) {
        hash.Add(value);
    }
}

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
    MoverState Save() const { return MoverState{xPos, yPos, xSize, ySize, xVel, yVel}; }
    void Restore(const MoverState& state) {
        SetBothPos(state.x, state.y);
        SetBothSize(state.w, state.h);
        SetBothVel(state.xVel, state.yVel);
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
