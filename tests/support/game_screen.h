#pragma once

#include <initializer_list>
#include <string>

#include "SDL_ttf.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/support/wall_text.h"

// Set-up and clean-up of the shell's program-wide screen variables, for the test programs
// linked with the shell (kept in this header, as the other helpers don't need the shell).

// Closes the font if it is open and forgets it.
inline void CloseFont(TTF_Font*& font) {
    if (font != nullptr) {
        TTF_CloseFont(font);
    }
    font = nullptr;
}

// The fonts of the game folder at the sizes the screens use: the two heading sizes and the
// small text. Call through ASSERT_NO_FATAL_FAILURE.
inline void OpenGameFonts() {
    impactFont1 = TTF_OpenFont(GameFile("impact.ttf").c_str(), 50);
    impactFont2 = TTF_OpenFont(GameFile("impact.ttf").c_str(), 70);
    arialFont1 = TTF_OpenFont(GameFile("arial.ttf").c_str(), 14);
    ASSERT_NE(impactFont1, nullptr);
    ASSERT_NE(impactFont2, nullptr);
    ASSERT_NE(arialFont1, nullptr);
}

inline void CloseGameFonts() {
    for (TTF_Font** font : {&impactFont1, &impactFont2, &arialFont1}) {
        CloseFont(*font);
    }
}

// Frees the background and the menu box texture and forgets them.
inline void FreeGamePictures() {
    SDL_FreeSurface(background);
    SDL_FreeSurface(menuBox);
    background = nullptr;
    menuBox = nullptr;
}

inline void EmptyStateStack() {
    while (!StateStack.empty()) {
        StateStack.pop();
    }
}

// Frees what a run of the start-up left behind and shuts the font library and SDL down.
inline void ReleaseWhatStartUpLeft() {
    EmptyStateStack();
    FreeGamePictures();
    CloseGameFonts();
    while (TTF_WasInit()) {
        TTF_Quit();
    }
    SDL_Quit();
    screen = nullptr;
}

// A play screen on the dummy display: the game draws on it with its 14-point font. A fixture
// built on this one calls its SetUp through ASSERT_NO_FATAL_FAILURE.
class PlayScreenTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        screen = display;
        arialFont1 = TTF_OpenFont(GameFile("arial.ttf").c_str(), 14);
        ASSERT_NE(arialFont1, nullptr);
    }

    void TearDown() override {
        CloseFont(arialFont1);
        screen = nullptr;
        SdlTest::TearDown();
    }

    // The wall shows exactly the text rendered now in the play screens' font and text colour,
    // centred across the window on the white wall.
    void ExpectWallShows(const std::string& text, const SDL_Rect& wall, const std::string& after) {
        const WallText line(arialFont1, text, textColor2);
        ASSERT_NE(line.Rendered(), nullptr);
        EXPECT_TRUE(line.ShownOn(display, wall, SCREEN_WIDTH - 1))
            << "\"" << text << "\" is not shown as rendered, after " << after;
    }
};
