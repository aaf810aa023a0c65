#include "framework/kept_text.h"

#include <string>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

const SDL_Color GREY{125, 125, 125, 0};
const SDL_Color RED{200, 20, 20, 0};
// Neither text colour nor cyan, so every pixel of a canvas tells what was drawn on it.
const Rgb CANVAS{10, 200, 30};

TTF_Font* OpenFont(const char* file, int points) {
    TTF_Font* font = TTF_OpenFont(GameFile(file).c_str(), points);
    EXPECT_NE(font, nullptr) << file << " at " << points;
    return font;
}

// A kept line must look on screen exactly like the same text rendered there and then.
void ExpectLooksFresh(SDL_Surface* kept, TTF_Font* font, const std::string& text,
                      SDL_Color colour) {
    SDL_Surface* fresh = TTF_RenderText_Solid(font, text.c_str(), colour);
    ASSERT_NE(fresh, nullptr);
    ASSERT_NE(kept, nullptr) << "\"" << text << "\" was not rendered";
    EXPECT_EQ(kept->w, fresh->w) << text;
    EXPECT_EQ(kept->h, fresh->h) << text;
    SDL_Surface* shownKept = CopyOf(SDL_GetVideoSurface());
    SDL_Surface* shownFresh = CopyOf(SDL_GetVideoSurface());
    FillRect(shownKept, 0, 0, shownKept->w, shownKept->h, CANVAS);
    FillRect(shownFresh, 0, 0, shownFresh->w, shownFresh->h, CANVAS);
    SDL_BlitSurface(kept, nullptr, shownKept, nullptr);
    SDL_BlitSurface(fresh, nullptr, shownFresh, nullptr);
    EXPECT_TRUE(SamePixels(shownKept, shownFresh)) << "\"" << text << "\" looks stale";
    EXPECT_FALSE(AreaIs(shownKept, 0, 0, fresh->w, fresh->h, CANVAS)) << "nothing drawn";
    SDL_FreeSurface(shownKept);
    SDL_FreeSurface(shownFresh);
    SDL_FreeSurface(fresh);
}

class KeptTextTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        font = OpenFont("arial.ttf", 14);
    }

    void TearDown() override {
        if (font != nullptr) {
            TTF_CloseFont(font);
        }
        SdlTest::TearDown();
    }

    TTF_Font* font = nullptr;
    KeptText line;
};

TEST_F(KeptTextTest, ALineDrawnAgainLooksLikeAFreshRenderingOfItsTextFontAndColour) {
    ExpectLooksFresh(line.Render(font, "Lives: 10", GREY), font, "Lives: 10", GREY);
    ExpectLooksFresh(line.Render(font, "Lives: 10", GREY), font, "Lives: 10", GREY);

    // A life lost, a point scored: the text changes.
    ExpectLooksFresh(line.Render(font, "Lives: 9", GREY), font, "Lives: 9", GREY);
    ExpectLooksFresh(line.Render(font, "Lives: 10", GREY), font, "Lives: 10", GREY);

    // The same text in another colour, and back.
    ExpectLooksFresh(line.Render(font, "Lives: 10", RED), font, "Lives: 10", RED);
    ExpectLooksFresh(line.Render(font, "Lives: 10", GREY), font, "Lives: 10", GREY);
}

TEST_F(KeptTextTest, AnotherFontOrTheSameFontSetBoldRendersTheLineAnew) {
    ExpectLooksFresh(line.Render(font, "Score: 42", GREY), font, "Score: 42", GREY);

    TTF_Font* large = OpenFont("arial.ttf", 30);
    ExpectLooksFresh(line.Render(large, "Score: 42", GREY), large, "Score: 42", GREY);
    TTF_CloseFont(large);

    TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    ExpectLooksFresh(line.Render(font, "Score: 42", GREY), font, "Score: 42", GREY);
    TTF_SetFontStyle(font, TTF_STYLE_NORMAL);
    ExpectLooksFresh(line.Render(font, "Score: 42", GREY), font, "Score: 42", GREY);
}

// A font closed and another opened may well land at the same address; the line must follow
// the new font all the same.
TEST_F(KeptTextTest, AFontReopenedInItsPlaceAtAnotherSizeOrFaceRendersTheLineAnew) {
    ExpectLooksFresh(line.Render(font, "Player One", GREY), font, "Player One", GREY);

    TTF_CloseFont(font);
    font = OpenFont("arial.ttf", 20);
    ExpectLooksFresh(line.Render(font, "Player One", GREY), font, "Player One", GREY);

    TTF_CloseFont(font);
    font = OpenFont("impact.ttf", 20);
    ExpectLooksFresh(line.Render(font, "Player One", GREY), font, "Player One", GREY);
}

TEST_F(KeptTextTest, WithoutAFontThereIsNoLineUntilAFontComesBack) {
    ExpectLooksFresh(line.Render(font, "Lives: 3", GREY), font, "Lives: 3", GREY);
    EXPECT_EQ(line.Render(nullptr, "Lives: 3", GREY), nullptr);
    ExpectLooksFresh(line.Render(font, "Lives: 3", GREY), font, "Lives: 3", GREY);
}

}  // namespace
