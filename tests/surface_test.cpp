#include "framework/surface.h"

#include <memory>
#include <string>
#include <vector>

#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

const int TILE = 30;
const Rgb RED{255, 0, 0};
const Rgb BEYOND_TILES{1, 2, 3};

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface Hold(SDL_Surface* surface) {
    return Surface(surface, SDL_FreeSurface);
}

// Every pixel of texture tile k tells which tile and which offset it is; tile 0's top-left
// and tile 8's bottom-right corners are cyan, like rounded corners.
Rgb TexturePixel(int x, int y) {
    int tile = y / TILE * 3 + x / TILE;
    int dx = x % TILE;
    int dy = y % TILE;
    bool cornerCut = (tile == 0 && dx < 4 && dy < 4) || (tile == 8 && dx >= 26 && dy >= 26);
    if (cornerCut) {
        return CYAN;
    }
    return Rgb{Uint8(10 + 25 * tile), Uint8(8 * dx), Uint8(8 * dy)};
}

// A 100x100 texture: the 3x3 tiles and a margin the box must never use.
Surface MakeTexture() {
    Surface texture = Hold(ZEM_NewSurface(100, 100));
    FillRect(texture.get(), 0, 0, 100, 100, BEYOND_TILES);
    for (int y = 0; y < 3 * TILE; ++y) {
        for (int x = 0; x < 3 * TILE; ++x) {
            FillRect(texture.get(), x, y, 1, 1, TexturePixel(x, y));
        }
    }
    return texture;
}

// Box pixels (x .. x+w-1, y .. y+h-1) show tile `tile` from offset (dx, dy) onwards.
struct TileShown {
    int x, y, w, h, tile, dx, dy;
};

void ExpectBoxShows(SDL_Surface* box, const std::vector<TileShown>& pieces) {
    Surface copy = Hold(CopyOf(box));
    for (const TileShown& piece : pieces) {
        int wrong = 0;
        for (int row = 0; row < piece.h; ++row) {
            for (int column = 0; column < piece.w; ++column) {
                int tx = piece.tile % 3 * TILE + piece.dx + column;
                int ty = piece.tile / 3 * TILE + piece.dy + row;
                wrong +=
                    ColourAt(copy.get(), piece.x + column, piece.y + row) != TexturePixel(tx, ty);
            }
        }
        EXPECT_EQ(wrong, 0) << "tile " << piece.tile << " at (" << piece.x << ", " << piece.y
                            << ")";
    }
}

class SurfaceTest : public SdlTest {};

// Placing surfaces with ZEM_BlitSurface, whole or in part and clipped at the edges, is
// checked by the boxes below and by the sprites' tests.
TEST_F(SurfaceTest, NewSurfaceIsScreenFormatAndFullyTransparent) {
    Surface fresh = Hold(ZEM_NewSurface(37, 21));
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->format->BitsPerPixel, display->format->BitsPerPixel);
    FillRect(display, 0, 0, 640, 480, RED);
    ZEM_BlitSurface(fresh.get(), nullptr, display, 5, 5);
    EXPECT_TRUE(AreaIs(display, 0, 0, 640, 480, RED));

    EXPECT_EQ(ZEM_NewSurface(-1, 10), nullptr);
    EXPECT_EQ(ZEM_VideoSurface(), display);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    EXPECT_EQ(ZEM_VideoSurface(), nullptr) << "the window went with video";
    EXPECT_EQ(ZEM_NewSurface(10, 10), nullptr) << "no screen to take the format from";
    EXPECT_EQ(ZEM_RenderBox(90, 90, TILE, nullptr), nullptr);
}

TEST_F(SurfaceTest, TheScreenIsHandedOutOnlyWhileTheVideoModeIsSet) {
    EXPECT_EQ(ZEM_VideoSurface(), display);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    EXPECT_EQ(ZEM_VideoSurface(), nullptr) << "a screen without video is none";
}

TEST_F(SurfaceTest, LoadedPictureDrawsAllButItsCyanPixels) {
    ScratchDir scratch;
    SDL_Surface* picture = SDL_CreateRGBSurface(0, 8, 6, 24, 0xff0000, 0xff00, 0xff, 0);
    FillRect(picture, 0, 0, 8, 6, WHITE);
    FillRect(picture, 2, 1, 3, 2, CYAN);
    SDL_SaveBMP(picture, "picture.bmp");
    SDL_FreeSurface(picture);

    Surface loaded = Hold(ZEM_LoadImage("picture.bmp"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->format->BitsPerPixel, display->format->BitsPerPixel);
    FillRect(display, 0, 0, 640, 480, RED);
    ZEM_BlitSurface(loaded.get(), nullptr, display, 10, 20);
    EXPECT_TRUE(AreaIs(display, 12, 21, 3, 2, RED));
    FillRect(display, 12, 21, 3, 2, WHITE);
    EXPECT_TRUE(AreaIs(display, 10, 20, 8, 6, WHITE));

    scratch.WriteFile("broken.bmp", "BM this is no picture");
    EXPECT_EQ(ZEM_LoadImage("broken.bmp"), nullptr);
    EXPECT_EQ(ZEM_LoadImage("missing.bmp"), nullptr);
}

TEST_F(SurfaceTest, SquareBoxOfThreeTilesIsTheTextureItself) {
    Surface texture = MakeTexture();
    Surface box = Hold(ZEM_RenderBox(90, 90, TILE, texture.get()));
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->w, 90);
    std::vector<TileShown> everyTile;
    for (int tile = 0; tile < 9; ++tile) {
        everyTile.push_back({tile % 3 * TILE, tile / 3 * TILE, TILE, TILE, tile, 0, 0});
    }
    ExpectBoxShows(box.get(), everyTile);

    // The cut corners stay see-through.
    FillRect(display, 0, 0, 640, 480, RED);
    ZEM_BlitSurface(box.get(), nullptr, display, 0, 0);
    EXPECT_TRUE(AreaIs(display, 0, 0, 4, 4, RED));
    EXPECT_TRUE(AreaIs(display, 86, 86, 4, 4, RED));
}

TEST_F(SurfaceTest, LargerBoxRepeatsEdgesAndInsideFlushAgainstTheFarSides) {
    Surface texture = MakeTexture();
    Surface box = Hold(ZEM_RenderBox(120, 100, TILE, texture.get()));
    ASSERT_NE(box, nullptr);
    // Rows of {x, y, w, h, tile, dx, dy}: corners, top and bottom edges, inside, side edges.
    ExpectBoxShows(box.get(), {{0, 0, 30, 30, 0, 0, 0},
                               {90, 0, 30, 30, 2, 0, 0},
                               {0, 70, 30, 30, 6, 0, 0},
                               {90, 70, 30, 30, 8, 0, 0},
                               {30, 0, 30, 30, 1, 0, 0},
                               {60, 0, 30, 30, 1, 0, 0},
                               {30, 70, 30, 30, 7, 0, 0},
                               {60, 70, 30, 30, 7, 0, 0},
                               {30, 30, 30, 30, 4, 0, 0},
                               {60, 30, 30, 30, 4, 0, 0},
                               {30, 60, 30, 10, 4, 0, 0},
                               {60, 60, 30, 10, 4, 0, 0},
                               {0, 30, 30, 10, 3, 0, 0},
                               {0, 40, 30, 30, 3, 0, 0},
                               {90, 30, 30, 10, 5, 0, 0},
                               {90, 40, 30, 30, 5, 0, 0}});
}

TEST_F(SurfaceTest, BoxSmallerThanTwoTilesClipsItsLastColumnAndRow) {
    Surface texture = MakeTexture();
    Surface box = Hold(ZEM_RenderBox(50, 40, TILE, texture.get()));
    ASSERT_NE(box, nullptr);
    // The last row of side edges starts at y -20, the last column at x -10; the bottom-right
    // corner keeps its cyan cut because nothing drawn before it reaches there.
    ExpectBoxShows(box.get(), {{0, 0, 20, 10, 3, 0, 20},
                               {20, 0, 30, 10, 5, 0, 20},
                               {0, 10, 20, 30, 7, 10, 0},
                               {20, 10, 30, 30, 8, 0, 0}});
    EXPECT_TRUE(AreaIs(box.get(), 46, 36, 4, 4, CYAN));
}

TEST_F(SurfaceTest, BoxWithoutATileSizeStaysBlank) {
    Surface texture = MakeTexture();
    Surface box = Hold(ZEM_RenderBox(40, 30, 0, texture.get()));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(AreaIs(box.get(), 0, 0, 40, 30, CYAN));
}

}  // namespace
