#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "tamu/draw.h"
#include "tamu/duel.h"
#include "tests/support/wall_text.h"
#include "tests/tamu_duel_fixture.h"

using namespace tamu;

namespace {

// Frees a surface made by a test when the test is done with it.
struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfaceHolder = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

using Rects = std::vector<SDL_Rect>;

bool InAny(const Rects& rects, int x, int y) {
    for (const SDL_Rect& rect : rects) {
        if (x >= rect.x && y >= rect.y && x < rect.x + rect.w && y < rect.y + rect.h) {
            return true;
        }
    }
    return false;
}

Rects ThingPlaces() {
    return {theBall.GetRect(), myPaddle.GetRect(), otherPaddle.GetRect()};
}

// Where a score line at 0 stands: centred across the window, its top on the wall's top.
SDL_Rect LinePlace(const char* text, int wallY) {
    const WallText line(arialFont1, text, textColor2);
    const int w = line.Rendered() != nullptr ? line.Rendered()->w : 0;
    const int h = line.Rendered() != nullptr ? line.Rendered()->h : 0;
    return {static_cast<Sint16>((640 - w) / 2), static_cast<Sint16>(wallY), static_cast<Uint16>(w),
            static_cast<Uint16>(h)};
}

// The new duel, and the screen as it painted it.
class DuelDrawTest : public DuelTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DuelTest::SetUp());
        playfield.reset(CopyOf(screen));
    }

    void TearDown() override {
        playfield.reset();
        DuelTest::TearDown();
    }

    // Pixels that differ from the picture among those the filter counts.
    template <typename Filter>
    static int Differences(SDL_Surface* picture, Filter counted) {
        SurfaceHolder now(CopyOf(screen));
        int differences = 0;
        for (int y = 0; y < 480; ++y) {
            const Uint32* nowRow = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(now->pixels) + y * now->pitch);
            const Uint32* pictureRow = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(picture->pixels) + y * picture->pitch);
            for (int x = 0; x < 640; ++x) {
                differences += counted(x, y) && nowRow[x] != pictureRow[x] ? 1 : 0;
            }
        }
        return differences;
    }

    // Pixels outside the moving things and both score lines at 0 and 0 that differ from the
    // playfield the new duel painted.
    int DifferencesFromThePlayfield() const {
        Rects skipped = ThingPlaces();
        skipped.push_back(LinePlace("Player One   ---   Score: 000000", 465));
        skipped.push_back(LinePlace("Player Two   ---   Score: 000000", 0));
        return Differences(playfield.get(), [&](int x, int y) { return !InAny(skipped, x, y); });
    }

    static void ExpectSpritesWhite() {
        for (const SDL_Rect& place : ThingPlaces()) {
            EXPECT_TRUE(AreaIs(screen, place.x, place.y, place.w, place.h, WHITE))
                << "thing at (" << place.x << ", " << place.y << ")";
        }
    }

    SurfaceHolder playfield;  // the screen as the new duel painted it
};

// ---- The playfield and the sprites ----

TEST_F(DuelDrawTest, FirstFrameAfterStartUpDrawsTheThingsWithoutErasingAnything) {
    DrawGame();
    EXPECT_TRUE(AreaIs(screen, 320, 240, 10, 10, WHITE));
    EXPECT_TRUE(AreaIs(screen, 320, 440, 60, 18, WHITE));
    EXPECT_TRUE(AreaIs(screen, 320, 40, 60, 18, WHITE));
    EXPECT_EQ(DifferencesFromThePlayfield(), 0);
}

TEST_F(DuelDrawTest, NewDuelPaintsThePictureAndWhiteWallsOnceLeavingTheLastRowAndColumn) {
    EXPECT_TRUE(AreaIs(screen, 0, 0, 639, 14, WHITE));
    EXPECT_TRUE(AreaIs(screen, 0, 0, 14, 479, WHITE));
    EXPECT_TRUE(AreaIs(screen, 625, 0, 14, 479, WHITE));
    EXPECT_TRUE(AreaIs(screen, 0, 465, 639, 14, WHITE));
    // The window's last column and row lie outside every wall: they show the picture.
    const int pictureShown[][2] = {{639, 20},  {639, 470}, {0, 479},
                                   {638, 479}, {100, 200}, {15, 15}};
    for (const auto& [x, y] : pictureShown) {
        EXPECT_EQ(ColourAt(screen, x, y), ColourAt(background, x, y)) << x << ", " << y;
    }

    // Nothing paints it again during the duel.
    FillRect(screen, 100, 300, 20, 20, Rgb{200, 10, 10});
    for (int frame = 0; frame < 10; ++frame) {
        PlayState();
    }
    EXPECT_TRUE(AreaIs(screen, 100, 300, 20, 20, Rgb{200, 10, 10}));
}

// The ball starts on its way to the bottom paddle's left end, where it is drawn over the
// paddle; both paddles are then steered one way and the other.
TEST_F(DuelDrawTest, AfterEveryFrameOnlyTheMovingThingsAndScoreLinesDifferFromThePlayfield) {
    theBall.SetBothPos(316, 435);
    theBall.SetBothVel(0, 1);
    PlayState();
    ASSERT_TRUE(AreaIs(screen, 316, 436, 10, 10, WHITE));
    HoldKey(SDLK_LEFT);
    HoldKey(SDLK_x);
    for (int frame = 1; frame <= 40; ++frame) {
        if (frame == 20) {
            ReleaseAllKeys();
            HoldKey(SDLK_RIGHT);
            HoldKey(SDLK_z);
        }
        PlayState();
        if (frame % 5 == 0) {
            ASSERT_EQ(DifferencesFromThePlayfield(), 0) << "frame " << frame;
            ExpectSpritesWhite();
        }
    }
}

TEST_F(DuelDrawTest, NextDuelPutsBackThePiecesSavedInTheLastFrameOfTheOldOne) {
    HoldKey(SDLK_LEFT);
    HoldKey(SDLK_x);
    for (int frame = 0; frame < 12; ++frame) {
        PlayState();
    }
    ReleaseAllKeys();
    const Rects oldPlaces = ThingPlaces();

    // The next duel is painted over a plain picture, so the old pieces stand out.
    const Rgb plain{20, 90, 40};
    SurfaceHolder plainPicture(ZEM_NewSurface(640, 480));
    ASSERT_NE(plainPicture, nullptr);
    FillRect(plainPicture.get(), 0, 0, 640, 480, plain);
    SDL_Surface* duelPicture = background;
    background = plainPicture.get();
    PrePlay();
    DrawGame();
    background = duelPicture;

    const Rects newPlaces = ThingPlaces();
    EXPECT_EQ(Differences(
                  playfield.get(),
                  [&](int x, int y) { return InAny(oldPlaces, x, y) && !InAny(newPlaces, x, y); }),
              0)
        << "where the old things stood, the old duel's picture comes back";
    EXPECT_EQ(ColourAt(screen, 200, 300), plain) << "elsewhere the new picture shows";

    // From the second frame on the new duel erases as usual.
    PlayState();
    EXPECT_EQ(ColourAt(screen, 320, 240), plain);
}

// Putting back an earlier duel moves every sprite at once: the first frame drawn after it
// erases the later places and shows the things where the earlier duel had them.
TEST_F(DuelDrawTest, AFrameDrawnRightAfterAnEarlierDuelIsPutBackLeavesNoTraceOfTheLaterOne) {
    for (int frame = 0; frame < 5; ++frame) {
        PlayState();
    }
    const DuelState earlier = SaveDuel();
    HoldKey(SDLK_LEFT);
    HoldKey(SDLK_z);
    for (int frame = 0; frame < 30; ++frame) {
        PlayState();
    }
    ReleaseAllKeys();
    ASSERT_NE(myPaddle.GetXPos(), earlier.paddles[BOTTOM_PADDLE].x);

    RestoreDuel(earlier);
    DrawGame();
    EXPECT_EQ(DifferencesFromThePlayfield(), 0);
    ExpectSpritesWhite();
    EXPECT_EQ(myPaddle.GetXPos(), earlier.paddles[BOTTOM_PADDLE].x);
    EXPECT_EQ(otherPaddle.GetXPos(), earlier.paddles[TOP_PADDLE].x);
}

// ---- Pacing ----

class DuelPacerTest : public DuelTest {
protected:
    // A pass of the main loop that took this long since the last pacing.
    static void PassTaking(Uint32 milliseconds) {
        lastFrame = timer.GetTicks();
        FakeClock::Advance(milliseconds);
        FakeClock::ClearDelays();
    }
};

TEST_F(DuelPacerTest, APassSleepsOutTheRestOfElevenMillisecondsAndALongerOneIsNotMadeUp) {
    struct Pass {
        Uint32 took;
        std::vector<Uint32> delays;
        Uint32 endsAfter;
    };
    const Pass passes[] = {{3, {8}, 11}, {11, {}, 11}, {15, {}, 15}, {40, {}, 40}};
    for (const Pass& pass : passes) {
        PassTaking(pass.took);
        const Uint32 start = lastFrame;
        CapFrameRate();
        EXPECT_EQ(FakeClock::Delays(), pass.delays) << "a pass of " << pass.took << " ms";
        EXPECT_EQ(lastFrame, start + pass.endsAfter);
    }
}

}  // namespace
