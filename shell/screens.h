#pragma once

// The screens around the game, shared by both programs.

// Fills the menu with the main menu's lines, "Play" selected.
void PreMenu();

// One pass of the main menu.
void MenuState();

// These block until the player presses Enter.
void HelpState();
void PauseState();
void LoseState();
