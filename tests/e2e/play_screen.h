#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "SDL.h"
#include "tests/e2e/harness.h"

// What both games' play screens share, seen from outside: the menu colours, starting play from
// the main menu and the grey text lines on the walls.

const Rgb SELECTED_RED{255, 0, 0};
const Rgb TITLE_BLUE{0, 0, 255};
const Rgb LINE_GREY{125, 125, 125};

// More pixels of one colour than a stray speck: a word of large text.
const int WORD_PIXELS = 150;

// The main menu: its red selected line under the blue title.
bool MainMenuShown(const Screenshot& shot);

// The pause menu's blue title.
bool PausedShown(const Screenshot& shot);

// Starts play from the main menu; the keys are held down before "Play" is chosen.
void StartPlay(GameProcess& game, std::initializer_list<const char*> heldKeys = {});
// Leaves play the player's way: the pause key, "Return to Menu", then "Quit" on the main menu.
void LeaveByTheMenus(GameProcess& game, const char* pauseKey = "p");

// A line of the play screen as the games' 14-point font renders it, to be looked for on a
// wall of the given rows.
class WallLine {
public:
    WallLine(const std::string& text, int wallY, int wallRows);

    // Whether the wall shows exactly this line, centred on the window, grey on white.
    bool ShownIn(const Screenshot& shot) const;

private:
    struct SurfaceFreer {
        void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
    };

    std::unique_ptr<SDL_Surface, SurfaceFreer> rendered;
    int wallY;
    int wallRows;
};
