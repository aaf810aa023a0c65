#include "things/displacer_thing.h"

#include <memory>

#include "tests/support/sdl_test.h"

namespace {

const Rgb RED{255, 0, 0};

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

// A picture in which every pixel differs from its neighbours, so a piece put back one pixel
// off shows; with a band of pure cyan across rows 200 to 203.
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

class DisplacerTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        PaintBackground(display);
        original.reset(CopyOf(display));
    }

    void Scribble() { FillRect(display, 0, 0, 640, 480, RED); }

    // After a scribble and a return: the area shows the original picture again, except its
    // cyan pixels, which were never saved; nothing outside the area was written.
    void ExpectOnlyAreaBack(int x, int y, int w, int h) {
        int wrong = 0;
        for (int row = y; row < y + h; ++row) {
            for (int column = x; column < x + w; ++column) {
                const Rgb was = ColourAt(original.get(), column, row);
                wrong += ColourAt(display, column, row) != (was == CYAN ? RED : was);
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels not put back as they were";
        FillRect(display, x, y, w, h, RED);
        EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, RED)) << "written outside its area";
    }

    Surface original{nullptr, SDL_FreeSurface};
};

TEST_F(DisplacerTest, TheSavedAreaComesBackWhereItLiesOnTheSurface) {
    struct Case {
        const char* what;
        SDL_Rect area;
        SDL_Rect inside;
    };
    const Case cases[] = {
        {"whole screen", {0, 0, 640, 480}, {0, 0, 640, 480}},
        {"ball", {100, 50, 12, 9}, {100, 50, 12, 9}},
        {"past the top left", {-10, -5, 40, 30}, {0, 0, 30, 25}},
        {"past the bottom right", {620, 470, 40, 30}, {620, 470, 20, 10}},
        {"wider than the screen, over the cyan", {-20, 198, 700, 8}, {0, 198, 640, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaintBackground(display);
        DisplacerThing sprite;
        sprite.TakeShot(display, c.area);
        Scribble();
        sprite.ReturnShot();
        ExpectOnlyAreaBack(c.inside.x, c.inside.y, c.inside.w, c.inside.h);
    }
}

// A shot is written back at most once, and only the latest one taken.
TEST_F(DisplacerTest, OnlyTheLastShotTakenComesBackAndOnlyOnce) {
    DisplacerThing fresh;
    fresh.ReturnShot();
    EXPECT_TRUE(SamePixels(display, original.get())) << "returned with nothing held";
    {
        DisplacerThing pauseScreen;
        pauseScreen.TakeShot(display, SDL_Rect{0, 0, 640, 480});
        Scribble();
    }
    EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, RED)) << "dropped shot written back";

    PaintBackground(display);
    DisplacerThing ball;
    ball.TakeShot(display, SDL_Rect{0, 0, 20, 20});
    ball.TakeShot(display, SDL_Rect{100, 100, 20, 20});
    Scribble();
    ball.ReturnShot();
    ExpectOnlyAreaBack(100, 100, 20, 20);
    ball.ReturnShot();
    EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, RED)) << "returned twice";
}

TEST_F(DisplacerTest, NoShotIsHeldWhenNoneCanBeMade) {
    Surface picture{CopyOf(display), SDL_FreeSurface};
    DisplacerThing ball;
    ball.TakeShot(picture.get(), SDL_Rect{0, 0, 20, 20});
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ball.TakeShot(picture.get(), SDL_Rect{30, 30, 20, 20});
    FillRect(picture.get(), 0, 0, 640, 480, RED);
    ball.ReturnShot();
    EXPECT_TRUE(AreaIs(picture.get(), 0, 0, 640, 480, RED));
}

}  // namespace
