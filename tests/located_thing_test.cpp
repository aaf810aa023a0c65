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

}  // namespace

TEST(LocatedThing, StartsAtTheOriginWithNoSizeAndAtRest) {
    MobileThing thing;
    EXPECT_EQ(thing.GetXPos(), 0);
    EXPECT_EQ(thing.GetYPos(), 0);
    EXPECT_EQ(thing.GetXSize(), 0);
    EXPECT_EQ(thing.GetYSize(), 0);
    EXPECT_EQ(thing.GetXVel(), 0);
    EXPECT_EQ(thing.GetYVel(), 0);
}

TEST(LocatedThing, SettersChangeOnlyWhatTheyName) {
    LocatedThing thing;
    thing.SetBothPos(30, 40);
    thing.SetBothSize(72, 20);
    EXPECT_EQ(thing.GetXPos(), 30) << "resizing moved the thing";
    EXPECT_EQ(thing.GetYPos(), 40) << "resizing moved the thing";

    thing.SetXPos(-7);
    EXPECT_EQ(thing.GetXPos(), -7);
    EXPECT_EQ(thing.GetYPos(), 40);
    EXPECT_EQ(thing.GetXSize(), 72);
    EXPECT_EQ(thing.GetYSize(), 20);

    MobileThing mobile = ThingAt(0, 0, 3, -4);
    mobile.SetXVel(-2);
    EXPECT_EQ(mobile.GetXVel(), -2);
    EXPECT_EQ(mobile.GetYVel(), -4);
    mobile.SetYVel(5);
    EXPECT_EQ(mobile.GetXVel(), -2);
    EXPECT_EQ(mobile.GetYVel(), 5);
}

TEST(MobileThing, StepsForwardAndBackByItsVelocity) {
    MobileThing thing = ThingAt(100, 200, 3, -5);
    thing.UpdateLocation();
    EXPECT_EQ(thing.GetXPos(), 103);
    EXPECT_EQ(thing.GetYPos(), 195);
    thing.UpdateLocation();
    EXPECT_EQ(thing.GetXPos(), 106);
    EXPECT_EQ(thing.GetYPos(), 190);
    thing.UndoUpdate();
    thing.UndoUpdate();
    EXPECT_EQ(thing.GetXPos(), 100);
    EXPECT_EQ(thing.GetYPos(), 200);
    EXPECT_EQ(thing.GetXSize(), 10) << "moving changed the size";
}

TEST(MobileThing, StepBackUsesTheVelocityAsItIsNow) {
    // A bounce that reverses before stepping back carries the thing on one more step.
    MobileThing thing = ThingAt(100, 200, 3, -5);
    thing.UpdateLocation();
    thing.SetBothVel(-3, 5);
    thing.UndoUpdate();
    EXPECT_EQ(thing.GetXPos(), 106);
    EXPECT_EQ(thing.GetYPos(), 190);

    // Stepping back first, then reversing, returns it to where it stood.
    MobileThing bounced = ThingAt(100, 200, 3, -5);
    bounced.UpdateLocation();
    bounced.UndoUpdate();
    bounced.SetBothVel(-3, 5);
    EXPECT_EQ(bounced.GetXPos(), 100);
    EXPECT_EQ(bounced.GetYPos(), 200);
}

TEST(MobileThing, ZeroVelocityStaysPut) {
    MobileThing thing = ThingAt(-20, 479, 0, 0);
    thing.UpdateLocation();
    EXPECT_EQ(thing.GetXPos(), -20);
    EXPECT_EQ(thing.GetYPos(), 479);
    thing.UndoUpdate();
    EXPECT_EQ(thing.GetXPos(), -20);
    EXPECT_EQ(thing.GetYPos(), 479);
}

TEST(LocatedThing, RectangleMatchesPositionAndSize) {
    LocatedThing thing;
    thing.SetBothPos(320, 240);
    thing.SetBothSize(10, 10);
    SDL_Rect rect = thing.GetRect();
    EXPECT_EQ(rect.x, 320);
    EXPECT_EQ(rect.y, 240);
    EXPECT_EQ(rect.w, 10);
    EXPECT_EQ(rect.h, 10);

    thing.SetBothPos(-5, -12);
    rect = thing.GetRect();
    EXPECT_EQ(rect.x, -5);
    EXPECT_EQ(rect.y, -12);
}

TEST(LocatedThing, RectangleKeepsTheLow16BitsOfLargeValues) {
    LocatedThing thing;
    thing.SetBothPos(70000, -40000);
    thing.SetBothSize(65537, 70000);
    const SDL_Rect rect = thing.GetRect();
    EXPECT_EQ(rect.x, 70000 - 65536);
    EXPECT_EQ(rect.y, -40000 + 65536);
    EXPECT_EQ(rect.w, 1);
    EXPECT_EQ(rect.h, 70000 - 65536);

    thing.SetBothPos(40000, 0);
    EXPECT_EQ(thing.GetRect().x, 40000 - 65536) << "x is a signed 16-bit field";
    EXPECT_EQ(thing.GetXPos(), 40000) << "the thing itself keeps its full position";
}
