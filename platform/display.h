#pragma once

#include "SDL.h"

// The window the game's picture is shown in: the plain 640x480 window, a window two to four
// times as large, or the whole screen. The game always draws on its 640x480 `screen`; when
// the window is anything but the plain one, `screen` is a picture of its own in the window's
// format, and every present copies it onto the window enlarged (each pixel a square block of
// one colour), centred on black in full screen.

// The picture both games draw, and the window it is shown in at scale 1.
const int SCREEN_WIDTH = 640;
const int SCREEN_HEIGHT = 480;
const int SCREEN_BPP = 32;

const int MIN_SCALE = 1;
const int MAX_SCALE = 4;

struct DisplayChoice {
    // The window's size in multiples of the picture.
    int scale = MIN_SCALE;
    bool fullScreen = false;
};

// The largest scale up to this one whose window fits on a screen of this size (the plain
// window when none does); the scale itself when the screen's size is unknown (0).
int LargestScaleThatFits(int scale, int screenWidth, int screenHeight);

// Where OpenDisplay learns the screen's size: SDL's video info unless set (null sets it back).
// SDL's dummy drivers differ there: classic SDL tells no size, the compatibility layer a
// 1024x768 screen.
using ScreenSizeReader = void (*)(int& width, int& height);
void SetScreenSizeReader(ScreenSizeReader reader);

// The choice the next OpenDisplay opens (the plain window unless set).
void ChooseDisplay(const DisplayChoice& choice);
const DisplayChoice& ChosenDisplay();

// Opens the window as chosen and gives the surface the game draws on: the window itself for
// the plain window, else the picture. When full screen can't be had, the window as chosen;
// null when no window opens at all. Call after SDL_Init.
SDL_Surface* OpenDisplay();

// Frees the picture and puts SDL's own presenting back; call before SDL_Quit.
void CloseDisplay();

// Whether the whole screen shows the picture now.
bool FullScreenShown();

// Asks for a switch between the window and full screen. The next present carries it out, so
// it is safe to ask from an event filter.
void RequestFullScreenSwitch();

// Carries out a switch that was asked for and shows the picture anew. Every present does
// this first; a screen that waits without presenting (the help box) calls it as it waits.
void ServeDisplay();

// The picture's pixel shown at this point of the window, for the pointer; false when the
// point lies beside the picture (the black around it in full screen), which gives the
// nearest pixel of its edge.
bool WindowToPicture(int windowX, int windowY, int* x, int* y);

// Called after each switch the player made (to remember the choice); null for none.
void OnFullScreenSwitched(void (*switched)(bool fullScreen));
