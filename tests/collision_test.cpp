#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "things/ball.h"
#include "things/brick.h"
#include "things/collidable_thing.h"

namespace {

using Words = std::vector<std::string>;

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
    const std::pair<bool, const char*> flags[] = {{record.collided, "collided"},
                                                  {record.left, "left"},
                                                  {record.top, "top"},
                                                  {record.right, "right"},
                                                  {record.bottom, "bottom"}};
    std::string words;
    for (const auto& [set, word] : flags) {
        if (set) {
            words += (words.empty() ? "" : " ") + std::string(word);
        }
    }
    return words;
}

Words FlagsOf(const std::vector<CollData>& records) {
    Words words;
    for (const CollData& record : records) {
        words.push_back(Flags(record));
    }
    return words;
}

// Contact vectors holding leftovers of an earlier, larger test.
std::vector<CollData> Stale(std::size_t count) {
    CollData touched;
    touched.collided = touched.left = touched.top = touched.right = touched.bottom = true;
    return std::vector<CollData>(count, touched);
}

const char* const ALL = "collided left top right bottom";

// One own box against one other box, and the records each gets ("" when they miss).
struct PairCase {
    const char* what;
    SDL_Rect mine;
    SDL_Rect other;
    const char* myFlags;
    const char* otherFlags;
};

void ExpectPairs(const std::vector<PairCase>& cases) {
    for (const PairCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CollidableThing thing = ThingWith({c.mine});
        const std::vector<SDL_Rect> other = {c.other};
        const bool hit = *c.myFlags != '\0';
        std::vector<CollData> mine;
        std::vector<CollData> theirs;
        EXPECT_EQ(thing.HasCollided(other, &mine, &theirs), hit);
        EXPECT_EQ(FlagsOf(mine), Words{c.myFlags});
        EXPECT_EQ(FlagsOf(theirs), Words{c.otherFlags});

        // Without outputs, or with only the other side's, the answer and records are the same.
        EXPECT_EQ(thing.HasCollided(other, nullptr, nullptr), hit);
        theirs = Stale(3);
        EXPECT_EQ(thing.HasCollided(other, nullptr, &theirs), hit);
        EXPECT_EQ(FlagsOf(theirs), Words{c.otherFlags});
    }
}

}  // namespace

TEST(Collision, EachBoxIsMarkedOnTheEdgesTheOtherReachesOver) {
    ExpectPairs({
        {"B over A's top right corner", Box(10, 10, 10, 10), Box(15, 5, 20, 10),
         "collided top right", "collided left bottom"},
        {"columns 0-9 and 10-19 only touch", Box(0, 0, 10, 10), Box(10, 0, 10, 10), "", ""},
        {"both cover column 9", Box(0, 0, 10, 10), Box(9, 0, 10, 10), "collided top right bottom",
         "collided left top bottom"},
        {"rows 0-9 and 10-19 only touch", Box(0, 0, 10, 10), Box(0, 10, 10, 10), "", ""},
        {"both cover row 9", Box(0, 0, 10, 10), Box(0, 9, 10, 10), "collided left right bottom",
         "collided left top right"},
        {"ending at column -1", Box(0, 0, 10, 10), Box(-10, 0, 10, 10), "", ""},
        {"both cover column 0", Box(0, 0, 10, 10), Box(-9, 0, 10, 10), "collided left top bottom",
         "collided top right bottom"},
        {"ending at row -1", Box(0, 0, 10, 10), Box(0, -10, 10, 10), "", ""},
        {"both cover row 0", Box(0, 0, 10, 10), Box(0, -9, 10, 10), "collided left top right",
         "collided left right bottom"},
        {"enclosed", Box(5, 5, 4, 4), Box(0, 0, 20, 20), ALL, "collided"},
        {"enclosing", Box(0, 0, 20, 20), Box(5, 5, 4, 4), "collided", ALL},
        {"enclosing, sharing the left column and bottom row", Box(0, 0, 20, 20), Box(0, 12, 5, 8),
         "collided left bottom", ALL},
        {"the same box", Box(0, 0, 20, 20), Box(0, 0, 20, 20), ALL, ALL},
        {"flat crossing tall", Box(0, 5, 20, 2), Box(8, 0, 2, 20), "collided top bottom",
         "collided left right"},
    });
}

// A zero-width box ends one column before it starts; edges are compared in full-width ints.
TEST(Collision, ZeroSizedAndFarOutBoxesAreComparedLikeAnyOther) {
    ExpectPairs({
        {"zero width at column 5", Box(5, 2, 0, 3), Box(0, 0, 10, 10), ALL, "collided"},
        {"zero width at column 1 ends on column 0", Box(1, 2, 0, 3), Box(0, 0, 10, 10), ALL,
         "collided"},
        {"zero width at column 0 ends on column -1", Box(0, 2, 0, 3), Box(0, 0, 10, 10), "", ""},
        {"zero width at column 10", Box(10, 2, 0, 3), Box(0, 0, 10, 10), "", ""},
        {"zero height at row 5", Box(0, 0, 10, 10), Box(2, 5, 3, 0), "collided", ALL},
        {"column -32769 would wrap to 32767", Box(-32768, 0, 0, 1), Box(32767, 0, 1, 1), "", ""},
        {"box wider than the signed range", Box(30000, 32000, 60000, 65535),
         Box(32767, 32767, 1, 1), "collided", ALL},
        {"far up and left, overlapping", Box(-32768, -32768, 10, 10), Box(-32759, -32759, 10, 10),
         "collided right bottom", "collided left top"},
        {"far up and left, touching", Box(-32768, -32768, 10, 10), Box(-32758, -32768, 10, 10), "",
         ""},
    });
}

TEST(Collision, BallTouchingABrickAboveItTouchesWithItsTopPointOnly) {
    Ball ball;
    ball.SetBothPos(100, 198);
    ball.SetBothSize(13, 13);
    ball.SetCollBoxes();
    Brick brick(1, 100, 180, 40, 20);
    std::vector<CollData> ballContacts = Stale(7);

    EXPECT_TRUE(ball.HasCollided(brick.GetCollisionBoxes(), &ballContacts, nullptr));
    EXPECT_EQ(FlagsOf(ballContacts), (Words{"", ALL, "", ""}));
}

// Every pair is examined, even after the first hit: each record is the union over all the
// boxes of the other list. Records start stale, fewer or more than there are boxes.
TEST(Collision, RecordsGatherEdgesFromEveryOverlappingBoxAndOnlyFromThose) {
    struct Case {
        const char* what;
        std::vector<SDL_Rect> mine;
        std::vector<SDL_Rect> other;
        Words myFlags;
        Words otherFlags;
    };
    const Case cases[] = {
        {"reached over on the left by one box and on the right by another",
         {Box(10, 10, 10, 10)},
         {Box(5, 12, 7, 2), Box(18, 15, 10, 2)},
         {"collided left right"},
         {"collided top right bottom", "collided left top bottom"}},
        {"one other box over two own boxes",
         {Box(0, 0, 10, 10), Box(30, 0, 10, 10)},
         {Box(5, 2, 30, 20)},
         {"collided right bottom", "collided left bottom"},
         {"collided left top right"}},
        {"an untouched box keeps no old record",
         {Box(0, 0, 10, 10), Box(50, 0, 10, 10)},
         {Box(200, 0, 5, 5), Box(5, 5, 2, 2), Box(300, 0, 5, 5)},
         {"collided", ""},
         {"", ALL, ""}},
        {"nothing overlaps",
         {Box(0, 0, 10, 10), Box(50, 0, 10, 10)},
         {Box(400, 400, 5, 5), Box(500, 400, 5, 5)},
         {"", ""},
         {"", ""}},
        {"no own boxes", {}, {Box(0, 0, 10, 10), Box(5, 5, 10, 10)}, {}, {"", ""}},
        {"no other boxes", {Box(0, 0, 10, 10)}, {}, {""}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<CollData> mine = Stale(1);
        std::vector<CollData> theirs = Stale(5);
        const bool hit = std::any_of(c.myFlags.begin(), c.myFlags.end(),
                                     [](const std::string& flags) { return !flags.empty(); });
        EXPECT_EQ(ThingWith(c.mine).HasCollided(c.other, &mine, &theirs), hit);
        EXPECT_EQ(FlagsOf(mine), c.myFlags);
        EXPECT_EQ(FlagsOf(theirs), c.otherFlags);
    }
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
    EXPECT_EQ(FlagsOf(shared), Words{"collided left right bottom"});
}

TEST(CollisionBoxes, IntegerBoxesKeepTheLow16Bits) {
    CollidableThing thing;
    thing.AddBox(70000, -40000, 65537, 70000);
    const SDL_Rect& box = thing.GetCollisionBoxes()[0];
    EXPECT_EQ(box.x, 70000 - 65536);
    EXPECT_EQ(box.y, -40000 + 65536);
    EXPECT_EQ(box.w, 1);
    EXPECT_EQ(box.h, 70000 - 65536);
}
