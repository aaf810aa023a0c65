#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "things/ball.h"
#include "things/brick.h"
#include "things/collidable_thing.h"

namespace {

SDL_Rect Box(int x, int y, int w, int h) {
    SDL_Rect box;
    box.x = static_cast<Sint16>(x);
    box.y = static_cast<Sint16>(y);
    box.w = static_cast<Uint16>(w);
    box.h = static_cast<Uint16>(h);
    return box;
}

CollidableThing ThingWith(const std::vector<SDL_Rect>& boxes) {
    CollidableThing thing;
    for (const SDL_Rect& box : boxes) {
        thing.AddBox(box);
    }
    return thing;
}

// A record as words, for readable failures: "collided left top", or "" when untouched.
std::string Flags(const CollData& record) {
    std::string words;
    const auto add = [&words](bool set, const char* word) {
        if (set) {
            words += words.empty() ? "" : " ";
            words += word;
        }
    };
    add(record.collided, "collided");
    add(record.left, "left");
    add(record.top, "top");
    add(record.right, "right");
    add(record.bottom, "bottom");
    return words;
}

bool SameBox(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// Contact vectors holding leftovers of an earlier, larger test.
std::vector<CollData> Stale(std::size_t count) {
    CollData touched;
    touched.collided = touched.left = touched.top = touched.right = touched.bottom = true;
    return std::vector<CollData>(count, touched);
}

}  // namespace

TEST(Collision, CornerOverlapMarksTheEdgesEachBoxIsReachedOver) {
    CollidableThing a = ThingWith({Box(10, 10, 10, 10)});
    std::vector<SDL_Rect> b = {Box(15, 5, 20, 10)};
    std::vector<CollData> mine;
    std::vector<CollData> theirs;

    EXPECT_TRUE(a.HasCollided(b, &mine, &theirs));
    ASSERT_EQ(mine.size(), 1u);
    ASSERT_EQ(theirs.size(), 1u);
    EXPECT_EQ(Flags(mine[0]), "collided top right") << "B reaches over A's top right corner";
    EXPECT_EQ(Flags(theirs[0]), "collided left bottom") << "A reaches over B's bottom left";
}

TEST(Collision, BallTouchingABrickAboveItTouchesWithItsTopPointOnly) {
    Ball ball;
    ball.SetBothPos(100, 198);
    ball.SetBothSize(13, 13);
    ball.SetCollBoxes();
    Brick brick(1, 100, 180, 40, 20);
    std::vector<CollData> ballContacts = Stale(7);

    EXPECT_TRUE(ball.HasCollided(brick.GetCollisionBoxes(), &ballContacts, nullptr));
    ASSERT_EQ(ballContacts.size(), 4u);
    EXPECT_EQ(Flags(ballContacts[Ball::LEFT_SIDE]), "");
    EXPECT_EQ(Flags(ballContacts[Ball::TOP_SIDE]), "collided left top right bottom");
    EXPECT_EQ(Flags(ballContacts[Ball::RIGHT_SIDE]), "");
    EXPECT_EQ(Flags(ballContacts[Ball::BOTTOM_SIDE]), "");
}

TEST(Collision, BoxesMeetOnlyWhenTheyShareAColumnOrRow) {
    std::vector<CollData> mine;
    CollidableThing left = ThingWith({Box(0, 0, 10, 10)});
    EXPECT_FALSE(left.HasCollided(std::vector<SDL_Rect>{Box(10, 0, 10, 10)}, &mine, nullptr))
        << "columns 0-9 and 10-19 only touch";
    EXPECT_EQ(Flags(mine[0]), "");
    EXPECT_TRUE(left.HasCollided(std::vector<SDL_Rect>{Box(9, 0, 10, 10)}, &mine, nullptr))
        << "both cover column 9";
    EXPECT_EQ(Flags(mine[0]), "collided top right bottom");

    EXPECT_FALSE(left.HasCollided(std::vector<SDL_Rect>{Box(0, 10, 10, 10)}, nullptr, nullptr))
        << "rows 0-9 and 10-19 only touch";
    EXPECT_TRUE(left.HasCollided(std::vector<SDL_Rect>{Box(0, 9, 10, 10)}, nullptr, nullptr));
    EXPECT_FALSE(left.HasCollided(std::vector<SDL_Rect>{Box(-10, 0, 10, 10)}, nullptr, nullptr))
        << "a box ending at column -1 stays left of column 0";
    EXPECT_FALSE(left.HasCollided(std::vector<SDL_Rect>{Box(0, -10, 10, 10)}, nullptr, nullptr));
}

TEST(Collision, EnclosedBoxIsReachedOverOnEveryEdgeAndTheEnclosingOneOnNone) {
    CollidableThing inner = ThingWith({Box(5, 5, 4, 4)});
    std::vector<SDL_Rect> outer = {Box(0, 0, 20, 20)};
    std::vector<CollData> mine;
    std::vector<CollData> theirs;

    EXPECT_TRUE(inner.HasCollided(outer, &mine, &theirs));
    EXPECT_EQ(Flags(mine[0]), "collided left top right bottom");
    EXPECT_EQ(Flags(theirs[0]), "collided");

    // Seen from the enclosing side the roles swap.
    CollidableThing enclosing = ThingWith(outer);
    EXPECT_TRUE(enclosing.HasCollided(inner.GetCollisionBoxes(), &mine, &theirs));
    EXPECT_EQ(Flags(mine[0]), "collided");
    EXPECT_EQ(Flags(theirs[0]), "collided left top right bottom");
}

TEST(Collision, EnclosingBoxGetsTheEdgesItShares) {
    std::vector<CollData> mine;
    std::vector<CollData> theirs;
    CollidableThing enclosing = ThingWith({Box(0, 0, 20, 20)});

    // Inner box flush with the left edge (column 0) and the bottom row (19).
    EXPECT_TRUE(enclosing.HasCollided(std::vector<SDL_Rect>{Box(0, 12, 5, 8)}, &mine, &theirs));
    EXPECT_EQ(Flags(mine[0]), "collided left bottom");
    EXPECT_EQ(Flags(theirs[0]), "collided left top right bottom");

    // The same box on both sides: every edge is shared.
    EXPECT_TRUE(enclosing.HasCollided(enclosing.GetCollisionBoxes(), &mine, &theirs));
    EXPECT_EQ(Flags(mine[0]), "collided left top right bottom");
    EXPECT_EQ(Flags(theirs[0]), "collided left top right bottom");
}

TEST(Collision, CrossingBoxesAreEachReachedOverOnTheirLongSides) {
    CollidableThing flat = ThingWith({Box(0, 5, 20, 2)});
    std::vector<SDL_Rect> tall = {Box(8, 0, 2, 20)};
    std::vector<CollData> mine;
    std::vector<CollData> theirs;

    EXPECT_TRUE(flat.HasCollided(tall, &mine, &theirs));
    EXPECT_EQ(Flags(mine[0]), "collided top bottom");
    EXPECT_EQ(Flags(theirs[0]), "collided left right");
}

TEST(Collision, RecordsGatherEdgesFromEveryOverlappingBox) {
    // One own box reached over on its left by one box and on its right by another.
    CollidableThing middle = ThingWith({Box(10, 10, 10, 10)});
    std::vector<SDL_Rect> sides = {Box(5, 12, 7, 2), Box(18, 15, 10, 2)};
    std::vector<CollData> mine;
    std::vector<CollData> theirs;

    EXPECT_TRUE(middle.HasCollided(sides, &mine, &theirs));
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(Flags(mine[0]), "collided left right");
    ASSERT_EQ(theirs.size(), 2u);
    EXPECT_EQ(Flags(theirs[0]), "collided top right bottom");
    EXPECT_EQ(Flags(theirs[1]), "collided left top bottom");

    // One other box over two own boxes: its record gathers both.
    CollidableThing pair = ThingWith({Box(0, 0, 10, 10), Box(30, 0, 10, 10)});
    std::vector<SDL_Rect> bar = {Box(5, 2, 30, 20)};
    EXPECT_TRUE(pair.HasCollided(bar, &mine, &theirs));
    ASSERT_EQ(theirs.size(), 1u);
    EXPECT_EQ(Flags(theirs[0]), "collided left top right");
    EXPECT_EQ(Flags(mine[0]), "collided right bottom");
    EXPECT_EQ(Flags(mine[1]), "collided left bottom");
}

TEST(Collision, EveryPairIsExaminedEvenAfterTheFirstHit) {
    // Three own boxes against three others: the first pair already overlaps, and the last
    // own box meets only the last other box.
    CollidableThing row = ThingWith({Box(0, 0, 10, 10), Box(20, 0, 10, 10), Box(40, 0, 10, 10)});
    std::vector<SDL_Rect> others = {Box(5, 5, 2, 2), Box(100, 100, 5, 5), Box(45, 5, 2, 2)};
    std::vector<CollData> mine;
    std::vector<CollData> theirs;

    EXPECT_TRUE(row.HasCollided(others, &mine, &theirs));
    ASSERT_EQ(mine.size(), 3u);
    EXPECT_EQ(Flags(mine[0]), "collided");
    EXPECT_EQ(Flags(mine[1]), "");
    EXPECT_EQ(Flags(mine[2]), "collided");
    ASSERT_EQ(theirs.size(), 3u);
    EXPECT_EQ(Flags(theirs[0]), "collided left top right bottom");
    EXPECT_EQ(Flags(theirs[1]), "");
    EXPECT_EQ(Flags(theirs[2]), "collided left top right bottom");
}

TEST(Collision, StaleContactVectorsHoldOneFreshRecordPerBox) {
    CollidableThing two = ThingWith({Box(0, 0, 10, 10), Box(50, 0, 10, 10)});
    std::vector<SDL_Rect> three = {Box(200, 0, 5, 5), Box(5, 5, 2, 2), Box(300, 0, 5, 5)};

    std::vector<CollData> mine = Stale(9);
    std::vector<CollData> theirs = Stale(1);
    EXPECT_TRUE(two.HasCollided(three, &mine, &theirs));
    ASSERT_EQ(mine.size(), 2u);
    ASSERT_EQ(theirs.size(), 3u);
    EXPECT_EQ(Flags(mine[0]), "collided");
    EXPECT_EQ(Flags(mine[1]), "") << "an untouched box kept an old record";
    EXPECT_EQ(Flags(theirs[0]), "");
    EXPECT_EQ(Flags(theirs[1]), "collided left top right bottom");
    EXPECT_EQ(Flags(theirs[2]), "");

    // Nothing overlaps: the vectors are still refilled, all clear.
    std::vector<SDL_Rect> far = {Box(400, 400, 5, 5), Box(500, 400, 5, 5)};
    mine = Stale(1);
    theirs = Stale(5);
    EXPECT_FALSE(two.HasCollided(far, &mine, &theirs));
    ASSERT_EQ(mine.size(), 2u);
    ASSERT_EQ(theirs.size(), 2u);
    for (const CollData& record : mine) {
        EXPECT_EQ(Flags(record), "");
    }
    for (const CollData& record : theirs) {
        EXPECT_EQ(Flags(record), "");
    }
}

TEST(Collision, EmptyListsNeverCollide) {
    CollidableThing none;
    CollidableThing one = ThingWith({Box(0, 0, 10, 10)});
    std::vector<SDL_Rect> noBoxes;
    std::vector<SDL_Rect> twoBoxes = {Box(0, 0, 10, 10), Box(5, 5, 10, 10)};
    std::vector<CollData> mine = Stale(3);
    std::vector<CollData> theirs = Stale(3);

    EXPECT_FALSE(none.HasCollided(twoBoxes, &mine, &theirs));
    EXPECT_TRUE(mine.empty());
    ASSERT_EQ(theirs.size(), 2u);
    EXPECT_EQ(Flags(theirs[0]), "");
    EXPECT_EQ(Flags(theirs[1]), "");

    mine = Stale(3);
    theirs = Stale(3);
    EXPECT_FALSE(one.HasCollided(noBoxes, &mine, &theirs));
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(Flags(mine[0]), "");
    EXPECT_TRUE(theirs.empty());

    EXPECT_FALSE(none.HasCollided(noBoxes, nullptr, nullptr));
}

TEST(Collision, ZeroWidthBoxesTakePartLikeAnyOther) {
    // A zero-width box at column 5 ends at column 4: inside 0-9 it still counts.
    std::vector<SDL_Rect> wide = {Box(0, 0, 10, 10)};
    std::vector<CollData> mine;
    CollidableThing sliver = ThingWith({Box(5, 2, 0, 3)});
    EXPECT_TRUE(sliver.HasCollided(wide, &mine, nullptr));
    EXPECT_EQ(Flags(mine[0]), "collided left top right bottom");

    // At column 0 it ends at column -1 and misses; at column 10 it starts past column 9.
    EXPECT_FALSE(ThingWith({Box(0, 2, 0, 3)}).HasCollided(wide, nullptr, nullptr));
    EXPECT_FALSE(ThingWith({Box(10, 2, 0, 3)}).HasCollided(wide, nullptr, nullptr));
    EXPECT_TRUE(ThingWith({Box(1, 2, 0, 3)}).HasCollided(wide, nullptr, nullptr));

    // Zero height in the other list behaves the same way on rows.
    std::vector<SDL_Rect> flat = {Box(2, 5, 3, 0)};
    std::vector<CollData> theirs;
    EXPECT_TRUE(ThingWith(wide).HasCollided(flat, nullptr, &theirs));
    EXPECT_EQ(Flags(theirs[0]), "collided left top right bottom");
}

TEST(Collision, NullOutputsGiveJustTheAnswer) {
    CollidableThing a = ThingWith({Box(10, 10, 10, 10)});
    std::vector<SDL_Rect> hit = {Box(15, 5, 20, 10)};
    std::vector<SDL_Rect> miss = {Box(30, 30, 5, 5)};
    EXPECT_TRUE(a.HasCollided(hit, nullptr, nullptr));
    EXPECT_FALSE(a.HasCollided(miss, nullptr, nullptr));

    // Only the requested side is filled.
    std::vector<CollData> theirs;
    EXPECT_TRUE(a.HasCollided(hit, nullptr, &theirs));
    ASSERT_EQ(theirs.size(), 1u);
    EXPECT_EQ(Flags(theirs[0]), "collided left bottom");
}

TEST(Collision, OneVectorForBothSidesDescribesTheOtherList) {
    // Twelve own boxes against one: own records written into a one-record vector would
    // overrun it, and would mix the own boxes' edges into the other box's record.
    CollidableThing many;
    for (int i = 0; i < 12; ++i) {
        many.AddBox(i * 10, 0, 10, 10);
    }
    std::vector<SDL_Rect> one = {Box(5, -5, 20, 10)};
    std::vector<CollData> shared = Stale(2);

    EXPECT_TRUE(many.HasCollided(one, &shared, &shared));
    ASSERT_EQ(shared.size(), 1u);
    EXPECT_EQ(Flags(shared[0]), "collided left right bottom");
}

TEST(Collision, FarCoordinatesAreComparedWithoutWrapping) {
    // A zero-width box at the leftmost 16-bit column ends at column -32769, which in 16 bits
    // would wrap to the rightmost column.
    CollidableThing leftmost = ThingWith({Box(-32768, 0, 0, 1)});
    std::vector<SDL_Rect> rightmost = {Box(32767, 0, 1, 1)};
    EXPECT_FALSE(leftmost.HasCollided(rightmost, nullptr, nullptr));

    // A box wider than the signed range: columns 30000 to 89999 include column 32767.
    CollidableThing huge = ThingWith({Box(30000, 32000, 60000, 65535)});
    std::vector<CollData> mine;
    std::vector<CollData> theirs;
    EXPECT_TRUE(huge.HasCollided(std::vector<SDL_Rect>{Box(32767, 32767, 1, 1)}, &mine, &theirs));
    EXPECT_EQ(Flags(mine[0]), "collided") << "the huge box encloses the point";
    EXPECT_EQ(Flags(theirs[0]), "collided left top right bottom");

    // Boxes far up and left meet each other like any others.
    CollidableThing farLeft = ThingWith({Box(-32768, -32768, 10, 10)});
    EXPECT_TRUE(
        farLeft.HasCollided(std::vector<SDL_Rect>{Box(-32759, -32759, 10, 10)}, &mine, nullptr));
    EXPECT_EQ(Flags(mine[0]), "collided right bottom");
    EXPECT_FALSE(
        farLeft.HasCollided(std::vector<SDL_Rect>{Box(-32758, -32768, 10, 10)}, nullptr, nullptr));
}

TEST(CollisionBoxes, AddedInOrderAndClearedOnRequest) {
    CollidableThing thing;
    EXPECT_TRUE(thing.GetCollisionBoxes().empty());
    thing.AddBox(Box(1, 2, 3, 4));
    thing.AddBox(5, 6, 7, 8);
    ASSERT_EQ(thing.GetCollisionBoxes().size(), 2u);
    EXPECT_TRUE(SameBox(thing.GetCollisionBoxes()[0], Box(1, 2, 3, 4)));
    EXPECT_TRUE(SameBox(thing.GetCollisionBoxes()[1], Box(5, 6, 7, 8)));

    // The list handed out is the thing's own: a box added through it takes part in tests.
    thing.GetCollisionBoxes().push_back(Box(100, 100, 5, 5));
    EXPECT_TRUE(thing.HasCollided(std::vector<SDL_Rect>{Box(102, 102, 1, 1)}, nullptr, nullptr));

    thing.ClearBoxes();
    EXPECT_TRUE(thing.GetCollisionBoxes().empty());
    EXPECT_FALSE(thing.HasCollided(std::vector<SDL_Rect>{Box(1, 2, 3, 4)}, nullptr, nullptr));
}

TEST(CollisionBoxes, IntegerBoxesKeepTheLow16Bits) {
    CollidableThing thing;
    thing.AddBox(70000, -40000, 65537, 70000);
    thing.AddBox(-5, 40000, 0, 65535);
    const SDL_Rect& first = thing.GetCollisionBoxes()[0];
    EXPECT_EQ(first.x, 70000 - 65536);
    EXPECT_EQ(first.y, -40000 + 65536);
    EXPECT_EQ(first.w, 1);
    EXPECT_EQ(first.h, 70000 - 65536);
    const SDL_Rect& second = thing.GetCollisionBoxes()[1];
    EXPECT_EQ(second.x, -5);
    EXPECT_EQ(second.y, 40000 - 65536);
    EXPECT_EQ(second.w, 0);
    EXPECT_EQ(second.h, 65535);
}

TEST(CollisionBoxes, CopiesKeepTheirOwnList) {
    CollidableThing original = ThingWith({Box(0, 0, 10, 10)});
    CollidableThing copy = original;
    copy.ClearBoxes();
    copy.AddBox(50, 50, 5, 5);
    ASSERT_EQ(original.GetCollisionBoxes().size(), 1u);
    EXPECT_TRUE(SameBox(original.GetCollisionBoxes()[0], Box(0, 0, 10, 10)));

    CollidableThing assigned;
    assigned = original;
    original.GetCollisionBoxes()[0] = Box(200, 200, 1, 1);
    ASSERT_EQ(assigned.GetCollisionBoxes().size(), 1u);
    EXPECT_TRUE(SameBox(assigned.GetCollisionBoxes()[0], Box(0, 0, 10, 10)));
}
