#pragma once

#include <string>
#include <vector>

#include "SDL.h"

// The screens around the game, shared by both programs.

// Fills the menu with the main menu's lines, "Play" selected.
void PreMenu();

// One pass of the main menu.
void MenuState();

// These block until the player presses Enter.
void HelpState();
void PauseState();
void LoseState();

// The lose screen's look, for every screen that stops play to tell the player something:
// the header lines in the large face and the given colour, "Press Enter to Continue" in the
// small face, centred over the last picture of play without a box. Blocks until Enter.
void ShowOverPlay(const std::vector<std::string>& headers, SDL_Color headerColour);

// What a screen that waits for a key serves on each pass (F11, the pads, the game's link);
// true when it should stop waiting: a quit signal, or a game the other machine started.
bool ServeWhileWaiting();

// The pause screen's menu over the frozen game picture, with the pause's notes and the game
// clock stopped meanwhile, until a choice (CHOICE_CONTINUE, CHOICE_RETURN_TO_MENU) or until
// stopWaiting says so (NO_CHOICE). PauseState is this with the plain way out.
const int CHOICE_CONTINUE = 0;
const int CHOICE_RETURN_TO_MENU = 1;
const int NO_CHOICE = -1;
int ChooseOnPauseScreen(bool (*stopWaiting)());

// A notice over the last picture of play, in the smaller heading face so that a longer line
// fits: the lines and "Press Enter to Continue", until Enter or until stopWaiting says so.
void ShowNotice(const std::vector<std::string>& lines, bool (*stopWaiting)());
