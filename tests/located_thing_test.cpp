#include <gtest/gtest.h>

#include "SDL.h"
#include "things/located_thing.h"
#include "things/mobile_thing.h"

namespace {

MobileThing ThingAt(int x, int y, int xVel, int yVel) {
    MobileThing thing;
    thing.SetBothPos(x, y);
    thing.SetBothSize(10, 10);
    thing.SetBothVel(xVel, yVel);
    return thing;
}

void ExpectAt(const MobileThing& thing, int x, int y) {
    EXPECT_EQ(thing.GetXPos(), x);
    EXPECT_EQ(thing.GetYPos(), y);
}

}  // namespace

TEST(LocatedThing, StartsAtTheOriginWithNoSizeAndAtRest) {
    MobileThing thing;
    ExpectAt(thing, 0, 0);
    EXPECT_EQ(thing.GetXSize(), 0);
    EXPECT_EQ(thing.GetYSize(), 0);
    EXPECT_EQ(thing.GetXVel(), 0);
    EXPECT_EQ(thing.GetYVel(), 0);
}

TEST(MobileThing, StepsForwardAndBackByItsVelocityAsItIsNow) {
    MobileThing thing = ThingAt(100, 200, 3, -5);
    thing.UpdateLocation();
    thing.UpdateLocation();
    ExpectAt(thing, 106, 190);
    thing.UndoUpdate();
    ExpectAt(thing, 103, 195);
    EXPECT_EQ(thing.GetXSize(), 10) << "moving changed the size";

    // A bounce that reverses before stepping back carries the thing on one more step.
    thing.SetBothVel(-3, 5);
    thing.UndoUpdate();
    ExpectAt(thing, 106, 190);

    // Stepping back first, then reversing, returns it to where it stood.
    MobileThing bounced = ThingAt(100, 200, 3, -5);
    bounced.UpdateLocation();
    bounced.UndoUpdate();
    bounced.SetBothVel(-3, 5);
    ExpectAt(bounced, 100, 200);
}

TEST(LocatedThing, RectangleKeepsTheLow16BitsOfPositionAndSize) {
    LocatedThing thing;
    thing.SetBothPos(-5, 240);
    thing.SetBothSize(72, 20);
    SDL_Rect rect = thing.GetRect();
    EXPECT_EQ(rect.x, -5);
    EXPECT_EQ(rect.y, 240);
    EXPECT_EQ(rect.w, 72);
    EXPECT_EQ(rect.h, 20);

    thing.SetBothPos(70000, -40000);
    thing.SetBothSize(65537, 70000);
    rect = thing.GetRect();
    EXPECT_EQ(rect.x, 70000 - 65536);
    EXPECT_EQ(rect.y, -40000 + 65536);
    EXPECT_EQ(rect.w, 1);
    EXPECT_EQ(rect.h, 70000 - 65536);

    thing.SetBothPos(40000, 0);
    EXPECT_EQ(thing.GetRect().x, 40000 - 65536) << "x is a signed 16-bit field";
    EXPECT_EQ(thing.GetXPos(), 40000) << "the thing itself keeps its full position";
}
