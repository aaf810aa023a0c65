// The main menu keeps its box and lines from one pass to the next; these tests hold every
// pass to the picture that drawing the menu from scratch gives, whatever changed in between.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "SDL.h"
#include "SDL_ttf.h"
#include "framework/kept_text.h"
#include "framework/menu.h"
#include "framework/surface.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/main_loop.h"
#include "tests/support/fake_game.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

const Rgb BACKGROUND{30, 30, 60};
const Rgb BOX{200, 200, 160};
const Rgb OTHER_BOX{90, 160, 90};
const Rgb GAME_PICTURE{FAKE_PLAY_RED, FAKE_PLAY_GREEN, FAKE_PLAY_BLUE};

// A box texture with see-through stripes in its corner, edge and inside tiles.
SDL_Surface* StripedTexture(Rgb colour) {
    SDL_Surface* texture = ZEM_NewSurface(90, 90);
    FillRect(texture, 0, 0, 90, 90, colour);
    for (int x = 5; x < 90; x += 12) {
        FillRect(texture, x, 0, 3, 90, CYAN);
    }
    return texture;
}

// The background with a see-through band, where the screen's old picture stays.
SDL_Surface* BandedBackground() {
    SDL_Surface* picture = ZEM_NewSurface(640, 480);
    FillRect(picture, 0, 0, 640, 480, BACKGROUND);
    FillRect(picture, 0, 200, 640, 40, CYAN);
    return picture;
}

void CentreOn(SDL_Surface* surface, SDL_Surface* target) {
    ZEM_BlitSurface(surface, nullptr, target, (640 - surface->w) / 2, (480 - surface->h) / 2);
}

class MainMenuPictureTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        ResetFakeGame();
        screen = display;
        FillRect(display, 0, 0, 640, 480, GAME_PICTURE);
        background = BandedBackground();
        menuBox = StripedTexture(BOX);
        ASSERT_NO_FATAL_FAILURE(OpenGameFonts());
        theMenu = std::make_unique<ZemMenu>();
        menu = theMenu.get();
        PushState(MenuState);
        PreMenu();
    }

    void TearDown() override {
        EmptyStateStack();
        menu = nullptr;
        theMenu.reset();
        FreeGamePictures();
        CloseGameFonts();
        screen = nullptr;
        ResetFakeGame();
        SdlTest::TearDown();
    }

    // The main menu as drawn from scratch over what the screen holds now: the background, a
    // new box and new lines, each centred.
    static SDL_Surface* DrawnAfresh() {
        SDL_Surface* expected = CopyOf(screen);
        ZEM_BlitSurface(background, nullptr, expected, 0, 0);
        SDL_Surface* text = menu->Draw(impactFont1, impactFont2);
        SDL_Surface* box = ZEM_RenderBox(text->w + 20, text->h + 20, 30, menuBox);
        CentreOn(box, expected);
        CentreOn(text, expected);
        SDL_FreeSurface(box);
        SDL_FreeSurface(text);
        return expected;
    }

    // One pass of the main menu, which must show exactly the menu drawn from scratch.
    void ExpectPassLooksFresh(const std::string& after) {
        SDL_Surface* expected = DrawnAfresh();
        MenuState();
        EXPECT_TRUE(SamePixels(screen, expected)) << "a stale main menu after " << after;
        SDL_FreeSurface(expected);
    }

    std::unique_ptr<ZemMenu> theMenu;
};

// Each change to what the menu is drawn from shows on the very next pass.
TEST_F(MainMenuPictureTest, EveryPassShowsTheMenuAsDrawnAfreshWhateverChangedBefore) {
    ExpectPassLooksFresh("the first pass");
    ExpectPassLooksFresh("a pass without keys");
    for (SDLKey key : {SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_UP, SDLK_a}) {
        PushKeyDown(key);
        MenuState();  // takes the key after drawing; the next pass shows its effect
        ExpectPassLooksFresh("a key press " + std::to_string(key));
    }

    menu->SetOnColor(0, 255, 0);
    ExpectPassLooksFresh("a new selected colour");
    menu->SetOffColor(250, 250, 0);
    ExpectPassLooksFresh("a new colour for the other options");
    menu->SetHeaderColor(255, 0, 255);
    ExpectPassLooksFresh("a new header colour");
    menu->AddOption("Extra");
    ExpectPassLooksFresh("one more option");
    menu->AddHeader("Second title");
    ExpectPassLooksFresh("one more header");
    menu->Reset();
    menu->AddHeader("Zem Brixolan");
    menu->AddOption("Play");
    ExpectPassLooksFresh("other lines");
    PreMenu();
    ExpectPassLooksFresh("the main menu's own lines again");

    // Fonts and textures change only where the game loads or frees them, which then says the
    // kept pictures are out of date. A font closed and another opened may come back at the
    // same address.
    TTF_CloseFont(impactFont2);
    impactFont2 = TTF_OpenFont(GameFile("impact.ttf").c_str(), 60);
    ASSERT_NE(impactFont2, nullptr);
    ZEM_ForgetKeptPictures();
    ExpectPassLooksFresh("a smaller option font");
    TTF_CloseFont(impactFont1);
    impactFont1 = TTF_OpenFont(GameFile("arial.ttf").c_str(), 50);
    ASSERT_NE(impactFont1, nullptr);
    ZEM_ForgetKeptPictures();
    ExpectPassLooksFresh("another header face");
    TTF_SetFontStyle(impactFont1, TTF_STYLE_ITALIC);
    ZEM_ForgetKeptPictures();
    ExpectPassLooksFresh("an italic header font");

    SDL_FreeSurface(menuBox);
    menuBox = StripedTexture(OTHER_BOX);
    ZEM_ForgetKeptPictures();
    ExpectPassLooksFresh("another box texture");
    SDL_SetColorKey(menuBox, 0, 0);
    ZEM_ForgetKeptPictures();
    ExpectPassLooksFresh("a box texture without a transparent colour");
}

}  // namespace
