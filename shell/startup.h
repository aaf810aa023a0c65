#pragma once

// Start-up and shut-down of either game.

// SDL, the window with the game's caption, and the font library. False when any fails.
bool init();

// The pictures, the fonts and the high score. False when a picture or a font is missing.
bool load_files();

// Frees what load_files loaded, writes the high score back, shuts the libraries down.
void clean_up();

// The program: start-up, the main loop over the state stack, shut-down. 0 after a normal
// end, 1 when start-up failed.
extern "C" int SDL_main(int argc, char* argv[]);
