#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "framework/menu.h"
#include "framework/surface.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/state_stack.h"
#include "tamu/draw.h"
#include "tamu/game.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/tamu_duel_fixture.h"

namespace {

const Rgb SCORE_GREY{125, 125, 125};
const int BOTTOM_WALL_Y = 465;
const int WALL_THICKNESS = 14;

// Frees a surface made by a test when the test is done with it.
struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfaceHolder = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

SDL_Rect Rect(int x, int y, int w, int h) {
    SDL_Rect rect;
    rect.x = static_cast<Sint16>(x);
    rect.y = static_cast<Sint16>(y);
    rect.w = static_cast<Uint16>(w);
    rect.h = static_cast<Uint16>(h);
    return rect;
}

bool Inside(const SDL_Rect& rect, int x, int y) {
    return x >= rect.x && y >= rect.y && x < rect.x + rect.w && y < rect.y + rect.h;
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

    // The text as the 14-point font renders it in the score grey.
    static SurfaceHolder Rendered(const std::string& text) {
        return SurfaceHolder(TTF_RenderText_Solid(arialFont1, text.c_str(), textColor2));
    }

    // Where a score line must stand: centred across the window, its top on the wall's top.
    static SDL_Rect LinePlace(const std::string& text, int wallY) {
        SurfaceHolder line = Rendered(text);
        return Rect((640 - line->w) / 2, wallY, line->w, line->h);
    }

    // The line must show exactly the text's grey pixels at its place; the rest of the wall
    // across the whole window stays white.
    static void ExpectScoreLine(const std::string& text, int wallY) {
        SCOPED_TRACE(text);
        SurfaceHolder line = Rendered(text);
        ASSERT_NE(line, nullptr);
        const SDL_Rect place = LinePlace(text, wallY);
        int greyPixels = 0;
        int mismatches = 0;
        for (int y = wallY; y < wallY + WALL_THICKNESS; ++y) {
            for (int x = 0; x < 639; ++x) {
                bool textPixel = Inside(place, x, y) &&
                                 ColourAt(line.get(), x - place.x, y - place.y) == SCORE_GREY;
                greyPixels += textPixel ? 1 : 0;
                if (ColourAt(screen, x, y) != (textPixel ? SCORE_GREY : WHITE)) {
                    ++mismatches;
                }
            }
        }
        EXPECT_GT(greyPixels, 100) << "the text must be visible on the wall";
        EXPECT_EQ(mismatches, 0);
    }

    // Pixels outside the given rectangles that differ from the picture.
    static int DifferencesOutside(SDL_Surface* picture, const std::vector<SDL_Rect>& skipped) {
        SurfaceHolder now(CopyOf(screen));
        int differences = 0;
        for (int y = 0; y < 480; ++y) {
            const Uint32* nowRow = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(now->pixels) + y * now->pitch);
            const Uint32* pictureRow = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(picture->pixels) + y * picture->pitch);
            for (int x = 0; x < 640; ++x) {
                bool skip = false;
                for (const SDL_Rect& rect : skipped) {
                    skip = skip || Inside(rect, x, y);
                }
                if (!skip && nowRow[x] != pictureRow[x]) {
                    ++differences;
                }
            }
        }
        return differences;
    }

    // The three moving things where they are now, and both score lines at 0 and 0.
    static std::vector<SDL_Rect> MovingThingsAndScoreLines() {
        return {theBall.GetRect(), myPaddle.GetRect(), otherPaddle.GetRect(),
                LinePlace("Player One   ---   Score: 000000", BOTTOM_WALL_Y),
                LinePlace("Player Two   ---   Score: 000000", 0)};
    }

    static void ExpectSpritesWhite() {
        for (const LocatedThing* thing :
             std::vector<const LocatedThing*>{&theBall, &myPaddle, &otherPaddle}) {
            EXPECT_TRUE(AreaIs(screen, thing->GetXPos(), thing->GetYPos(), thing->GetXSize(),
                               thing->GetYSize(), WHITE))
                << "thing at (" << thing->GetXPos() << ", " << thing->GetYPos() << ")";
        }
    }

    SurfaceHolder playfield;  // the screen as the new duel painted it
};

// ---- Score lines ----

TEST_F(DuelDrawTest, ScoresOfZeroShowSixZerosCentredOnTheEndWalls) {
    PlayState();
    ExpectScoreLine("Player One   ---   Score: 000000", BOTTOM_WALL_Y);
    ExpectScoreLine("Player Two   ---   Score: 000000", 0);
}

TEST_F(DuelDrawTest, ScoreIsWrittenPlainAfterTheFixedZerosAndRecentred) {
    myScore = 123;
    otherScore = 45;
    DrawGame();
    ExpectScoreLine("Player One   ---   Score: 00000123", BOTTOM_WALL_Y);
    ExpectScoreLine("Player Two   ---   Score: 0000045", 0);

    // A shorter line leaves nothing of the longer one on the wall.
    myScore = 7;
    DrawGame();
    ExpectScoreLine("Player One   ---   Score: 000007", BOTTOM_WALL_Y);
}

// ---- The playfield and the sprites ----

TEST_F(DuelDrawTest, FirstFrameAfterStartUpDrawsTheThingsWithoutErasingAnything) {
    DrawGame();
    ExpectSpritesWhite();
    EXPECT_TRUE(AreaIs(screen, 320, 240, 10, 10, WHITE));
    EXPECT_TRUE(AreaIs(screen, 320, 440, 60, 18, WHITE));
    EXPECT_TRUE(AreaIs(screen, 320, 40, 60, 18, WHITE));
    EXPECT_EQ(DifferencesOutside(playfield.get(), MovingThingsAndScoreLines()), 0);
}

TEST_F(DuelDrawTest, AfterEveryFrameOnlyTheMovingThingsAndScoreLinesDifferFromThePlayfield) {
    HoldKey(SDLK_LEFT);
    HoldKey(SDLK_x);
    for (int frame = 0; frame < 40; ++frame) {
        if (frame == 20) {
            ReleaseAllKeys();
            HoldKey(SDLK_RIGHT);
            HoldKey(SDLK_z);
        }
        PlayState();
        if (frame % 5 == 0) {
            ASSERT_EQ(DifferencesOutside(playfield.get(), MovingThingsAndScoreLines()), 0)
                << "frame " << frame;
            ExpectSpritesWhite();
        }
    }
}

TEST_F(DuelDrawTest, BallDrawnOverAPaddleLeavesNoTraceOnceBothHaveMoved) {
    // The ball lands on the bottom paddle's left end, overlapping it when drawn, and is
    // sent off up and left while the paddle is steered left below it.
    theBall.SetBothPos(316, 435);
    theBall.SetBothVel(0, 1);
    PlayState();
    ASSERT_TRUE(AreaIs(screen, 316, 436, 10, 10, WHITE));
    HoldKey(SDLK_LEFT);
    for (int frame = 0; frame < 15; ++frame) {
        PlayState();
    }
    EXPECT_EQ(DifferencesOutside(playfield.get(), MovingThingsAndScoreLines()), 0);
}

TEST_F(DuelDrawTest, PlayfieldIsPaintedOnceAndNotRepaintedDuringTheDuel) {
    FillRect(screen, 100, 300, 20, 20, Rgb{200, 10, 10});
    for (int frame = 0; frame < 10; ++frame) {
        PlayState();
    }
    EXPECT_TRUE(AreaIs(screen, 100, 300, 20, 20, Rgb{200, 10, 10}));
    EXPECT_TRUE(AreaIs(screen, 0, 100, 14, 300, WHITE));
}

TEST_F(DuelDrawTest, NextDuelPutsBackThePiecesSavedInTheLastFrameOfTheOldOne) {
    HoldKey(SDLK_LEFT);
    HoldKey(SDLK_x);
    for (int frame = 0; frame < 12; ++frame) {
        PlayState();
    }
    ReleaseAllKeys();
    const std::vector<SDL_Rect> oldPlaces = {theBall.GetRect(), myPaddle.GetRect(),
                                             otherPaddle.GetRect()};

    // The next duel is painted over a plain picture, so the old pieces stand out.
    const Rgb plain{20, 90, 40};
    SDL_Surface* oldBackground = background;
    background = ZEM_NewSurface(640, 480);
    ASSERT_NE(background, nullptr);
    FillRect(background, 0, 0, 640, 480, plain);
    PrePlay();
    DrawGame();

    const std::vector<SDL_Rect> newPlaces = {theBall.GetRect(), myPaddle.GetRect(),
                                             otherPaddle.GetRect()};
    for (const SDL_Rect& old : oldPlaces) {
        for (int y = old.y; y < old.y + old.h; ++y) {
            for (int x = old.x; x < old.x + old.w; ++x) {
                bool underNewThing = false;
                for (const SDL_Rect& place : newPlaces) {
                    underNewThing = underNewThing || Inside(place, x, y);
                }
                if (!underNewThing) {
                    ASSERT_EQ(ColourAt(screen, x, y), ColourAt(playfield.get(), x, y))
                        << "at (" << x << ", " << y << ")";
                }
            }
        }
    }
    EXPECT_EQ(ColourAt(screen, 200, 300), plain) << "elsewhere the new picture shows";
    SDL_FreeSurface(background);
    background = oldBackground;

    // From the second frame on the new duel erases as usual.
    PlayState();
    EXPECT_EQ(ColourAt(screen, 320, 240), plain);
}

// ---- Pause ----

TEST_F(DuelDrawTest, ContinueAfterPauseGivesBackTheDuelPictureExactly) {
    TTF_Font* headerFont = TTF_OpenFont(GameFile("impact.ttf").c_str(), 70);
    TTF_Font* optionFont = TTF_OpenFont(GameFile("impact.ttf").c_str(), 50);
    ASSERT_NE(headerFont, nullptr);
    ASSERT_NE(optionFont, nullptr);
    impactFont2 = headerFont;
    impactFont1 = optionFont;
    auto pauseMenu = std::make_unique<ZemMenu>();
    menu = pauseMenu.get();

    HoldKey(SDLK_LEFT);
    for (int frame = 0; frame < 8; ++frame) {
        PlayState();
    }
    PushKeyDown(SDLK_p);
    PlayState();
    ASSERT_EQ(StateStack.top().statePointer, PauseState);
    SurfaceHolder duelPicture(CopyOf(screen));
    const int ballY = theBall.GetYPos();

    bool pauseMenuShown = false;
    FakeClock::OnDelay([&](Uint32) {
        if (!pauseMenuShown) {
            SurfaceHolder now(CopyOf(screen));
            pauseMenuShown = !SamePixels(now.get(), duelPicture.get());
            PushKeyDown(SDLK_RETURN);
        }
    });
    StateStack.top().statePointer();
    FakeClock::OnDelay(nullptr);

    EXPECT_TRUE(pauseMenuShown) << "the pause menu is drawn over the duel";
    EXPECT_EQ(StateStack.top().statePointer, PlayState);
    EXPECT_TRUE(SamePixels(screen, duelPicture.get()));

    // Play goes on where it stopped, erasing and drawing as before.
    PlayState();
    EXPECT_EQ(theBall.GetYPos(), ballY + 3);
    EXPECT_EQ(DifferencesOutside(playfield.get(), MovingThingsAndScoreLines()), 0);

    menu = nullptr;
    impactFont1 = nullptr;
    impactFont2 = nullptr;
    TTF_CloseFont(headerFont);
    TTF_CloseFont(optionFont);
}

// ---- Pacing ----

class DuelPacerTest : public DuelDrawTest {
protected:
    // A pass of the main loop that took this long since the last pacing.
    static void PassTaking(Uint32 milliseconds) {
        lastFrame = timer.GetTicks();
        FakeClock::Advance(milliseconds);
        FakeClock::ClearDelays();
    }
};

TEST_F(DuelPacerTest, ShortPassSleepsOutTheRestOfElevenMilliseconds) {
    PassTaking(3);
    const Uint32 start = lastFrame;
    CapFrameRate();
    EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{8});
    EXPECT_EQ(lastFrame, start + 11);
}

TEST_F(DuelPacerTest, PassOfElevenOrMoreIsNotDelayedAndNothingIsMadeUp) {
    for (Uint32 pass : {11u, 15u, 40u}) {
        PassTaking(pass);
        const Uint32 start = lastFrame;
        CapFrameRate();
        EXPECT_TRUE(FakeClock::Delays().empty()) << pass << " ms";
        EXPECT_EQ(lastFrame, start + pass);
    }
}

TEST_F(DuelPacerTest, RestIsTakenFromTheReadingThatWasCompared) {
    PassTaking(3);
    const Uint32 start = lastFrame;
    // Every reading of the clock costs a millisecond.
    FakeClock::AdvanceOnEachRead(1);
    CapFrameRate();
    FakeClock::AdvanceOnEachRead(0);
    EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{8});
    EXPECT_EQ(lastFrame, start + 13) << "the pass ends on a fresh reading";
}

TEST_F(DuelPacerTest, PacingStaysRightWhenTheMillisecondCountWraps) {
    // The last pass ended 16 ms before the count wrapped to 0; the timer now reads 2.
    FakeClock::Set(1002);
    timer.Start();
    FakeClock::Set(1004);
    lastFrame = 0xFFFFFFF0u;
    FakeClock::ClearDelays();
    CapFrameRate();
    EXPECT_TRUE(FakeClock::Delays().empty());
    EXPECT_EQ(lastFrame, 2u);

    lastFrame = 0xFFFFFFFCu;  // 6 ms before the reading of 2: 5 ms are left
    CapFrameRate();
    EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{5});
}

}  // namespace
