#include "framework/kept_text.h"

#include <string>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

const SDL_Color GREY{125, 125, 125, 0};
const SDL_Color RED{200, 20, 20, 0};

TTF_Font* OpenFont(const char* file, int points) {
    TTF_Font* font = TTF_OpenFont(GameFile(file).c_str(), points);
    EXPECT_NE(font, nullptr) << file << " at " << points;
    return font;
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

    // The kept line must hold exactly the pixels and colours of the same text rendered now.
    void ExpectLooksFresh(const std::string& text, SDL_Color colour = GREY) {
        SCOPED_TRACE(text);
        SDL_Surface* kept = line.Render(font, text, colour);
        SDL_Surface* fresh = TTF_RenderText_Solid(font, text.c_str(), colour);
        ASSERT_NE(fresh, nullptr);
        EXPECT_NE(kept, nullptr) << "not rendered";
        EXPECT_TRUE(kept != nullptr && SamePixels(kept, fresh)) << "looks stale";
        SDL_FreeSurface(fresh);
    }

    // Closes the fixture's font and opens another, which may land at the same address; like
    // the game's start-up, it then says the kept pictures are out of date.
    void ReopenFont(const char* file, int points) {
        TTF_CloseFont(font);
        font = OpenFont(file, points);
        ZEM_ForgetKeptPictures();
    }

    void SetStyle(int style) {
        TTF_SetFontStyle(font, style);
        ZEM_ForgetKeptPictures();
    }

    TTF_Font* font = nullptr;
    KeptText line;
};

TEST_F(KeptTextTest, ALineDrawnAgainLooksLikeAFreshRenderingOfItsTextAndColour) {
    ExpectLooksFresh("Lives: 10");
    ExpectLooksFresh("Lives: 10");
    ExpectLooksFresh("Lives: 9");
    ExpectLooksFresh("Lives: 8");
    ExpectLooksFresh("Lives: 10");
    ExpectLooksFresh("Lives: 10", RED);
    ExpectLooksFresh("Lives: 10");
}

TEST_F(KeptTextTest, AnotherSizeFaceOrStyleOfFontRendersTheLineAnew) {
    ExpectLooksFresh("Player One");
    SetStyle(TTF_STYLE_BOLD);
    ExpectLooksFresh("Player One");
    SetStyle(TTF_STYLE_NORMAL);
    ExpectLooksFresh("Player One");
    ReopenFont("arial.ttf", 20);
    ExpectLooksFresh("Player One");
    ReopenFont("impact.ttf", 20);
    ExpectLooksFresh("Player One");
}

TEST_F(KeptTextTest, WithoutAFontThereIsNoLineUntilAFontComesBack) {
    ExpectLooksFresh("Lives: 3");
    EXPECT_EQ(line.Render(nullptr, "Lives: 3", GREY), nullptr);
    ExpectLooksFresh("Lives: 3");
}

}  // namespace
