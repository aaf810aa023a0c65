#include "things/displacer_thing.h"

#include <memory>

#include "tests/support/sdl_test.h"

namespace {

const Rgb RED{255, 0, 0};
const Rgb SPRITE{250, 200, 10};

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface Hold(SDL_Surface* surface) {
    return Surface(surface, SDL_FreeSurface);
}

// A picture in which every pixel differs from its neighbours, so a piece put back one pixel
// off shows; with a band of pure cyan across it.
void PaintBackground(SDL_Surface* surface) {
    ASSERT_EQ(surface->format->BytesPerPixel, 4);
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        Uint32* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            row[x] = SDL_MapRGB(surface->format, Uint8(x), Uint8(y), Uint8(x + 3 * y));
        }
    }
    SDL_UnlockSurface(surface);
    FillRect(surface, 0, 200, 640, 4, CYAN);
}

// Whether the rectangle of the surface matches the same rectangle of the reference.
bool AreaMatches(SDL_Surface* surface, SDL_Surface* reference, int x, int y, int w, int h) {
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            if (ColourAt(surface, column, row) != ColourAt(reference, column, row)) {
                return false;
            }
        }
    }
    return true;
}

class DisplacerTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        PaintBackground(display);
        original.reset(CopyOf(display));
    }

    void Scribble() { FillRect(display, 0, 0, 640, 480, RED); }

    Surface original = Hold(nullptr);
};

TEST_F(DisplacerTest, WholeScreenComesBackExceptWhatWasCyan) {
    DisplacerThing saver;
    saver.TakeShot(display, SDL_Rect{0, 0, 640, 480});
    Scribble();
    saver.ReturnShot();
    EXPECT_TRUE(AreaMatches(display, original.get(), 0, 0, 640, 200));
    EXPECT_TRUE(AreaIs(display, 0, 200, 640, 4, RED));
    EXPECT_TRUE(AreaMatches(display, original.get(), 0, 204, 640, 276));
}

TEST_F(DisplacerTest, SpriteIsErasedAndNothingAroundItIsTouched) {
    DisplacerThing ball;
    ball.TakeShot(display, SDL_Rect{100, 50, 12, 9});
    FillRect(display, 100, 50, 12, 9, SPRITE);
    FillRect(display, 300, 300, 5, 5, SPRITE);  // drawn elsewhere, not ours to erase
    Surface drawn = Hold(CopyOf(display));
    ball.ReturnShot();
    EXPECT_TRUE(AreaMatches(display, original.get(), 100, 50, 12, 9));
    EXPECT_TRUE(AreaIs(display, 300, 300, 5, 5, SPRITE));
    FillRect(drawn.get(), 100, 50, 12, 9, RED);
    FillRect(display, 100, 50, 12, 9, RED);
    EXPECT_TRUE(SamePixels(display, drawn.get()));
}

TEST_F(DisplacerTest, AreaPastAnEdgeRestoresOnlyItsInsidePart) {
    struct Case {
        SDL_Rect area;
        SDL_Rect inside;
    };
    const Case cases[] = {
        {{-10, -5, 40, 30}, {0, 0, 30, 25}},
        {{620, 470, 40, 30}, {620, 470, 20, 10}},
        {{-20, 300, 700, 8}, {0, 300, 640, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.area.x);
        PaintBackground(display);
        DisplacerThing paddle;
        paddle.TakeShot(display, c.area);
        Scribble();
        paddle.ReturnShot();
        EXPECT_TRUE(
            AreaMatches(display, original.get(), c.inside.x, c.inside.y, c.inside.w, c.inside.h));
        FillRect(display, c.inside.x, c.inside.y, c.inside.w, c.inside.h, RED);
        EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, RED)) << "written outside its area";
    }
}

TEST_F(DisplacerTest, ReturningWithNothingHeldChangesNothing) {
    DisplacerThing fresh;
    fresh.ReturnShot();
    EXPECT_TRUE(SamePixels(display, original.get()));

    fresh.TakeShot(display, SDL_Rect{10, 10, 50, 50});
    fresh.ReturnShot();
    Scribble();
    fresh.ReturnShot();
    EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, RED));
}

TEST_F(DisplacerTest, DroppedShotsAreFreedWithoutBeingWrittenBack) {
    {
        DisplacerThing pauseScreen;
        pauseScreen.TakeShot(display, SDL_Rect{0, 0, 640, 480});
        Scribble();
    }
    EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, RED));

    // A second shot replaces the first: only the second area comes back.
    PaintBackground(display);
    DisplacerThing ball;
    ball.TakeShot(display, SDL_Rect{0, 0, 20, 20});
    ball.TakeShot(display, SDL_Rect{100, 100, 20, 20});
    Scribble();
    ball.ReturnShot();
    EXPECT_TRUE(AreaIs(display, 0, 0, 20, 20, RED));
    EXPECT_TRUE(AreaMatches(display, original.get(), 100, 100, 20, 20));
    Scribble();
    ball.ReturnShot();
    EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, RED));
}

TEST_F(DisplacerTest, NoShotIsHeldWhenNoneCanBeMade) {
    Surface picture = Hold(CopyOf(display));
    DisplacerThing ball;
    ball.TakeShot(picture.get(), SDL_Rect{0, 0, 20, 20});
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ball.TakeShot(picture.get(), SDL_Rect{30, 30, 20, 20});
    FillRect(picture.get(), 0, 0, 640, 480, RED);
    ball.ReturnShot();
    EXPECT_TRUE(AreaIs(picture.get(), 0, 0, 640, 480, RED));
}

}  // namespace
