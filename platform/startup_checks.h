#pragma once

#include "SDL.h"
#include "SDL_ttf.h"

// What start-up checks beyond the libraries' own results, and the one line a failed start-up
// leaves on standard error, naming what failed and why.

// Keeps SDL on the X window system unless the player names a video driver in
// SDL_VIDEODRIVER: without it SDL would fall back to drawing the game as characters in the
// terminal. False, after saying so, when there is no display to open a window on.
bool ChooseVideoDriver();

// Each says why its step of the start-up failed, right after it did.
void ReportSdlStartFailure();
void ReportVideoStartFailure();
void ReportWindowFailure();
void ReportFontLibraryFailure();

// Whether a picture or a font is an ordinary file this user may read; says why not.
bool StartupFileReadable(const char* fileName);

// The same for a level set named on the command line.
bool LevelSetReadable(const char* fileName);

// Load like ZEM_LoadImage and TTF_OpenFont, and keep the first failure's reason for
// ReportLoadFailure: start-up tries all pictures, then all fonts, before it judges them.
SDL_Surface* LoadStartupPicture(const char* fileName);
TTF_Font* OpenStartupFont(const char* fileName, int points);
void ReportLoadFailure();
