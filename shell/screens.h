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
