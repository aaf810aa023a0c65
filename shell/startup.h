#pragma once

#include <string>

// Start-up and shut-down of either game.

// SDL, the window with the game's caption, and the font library. False when any fails.
bool init();

// The pictures, the fonts and the high score (of the level set played). False when a picture
// or a font is missing.
bool load_files();

// Frees what load_files loaded, writes the high score back, shuts the libraries down.
void clean_up();

// The window's caption: the game's, and the level set's name when the player chose one.
std::string WindowCaption();

// The program itself is ZEM_RunGame (shell/game.h).
