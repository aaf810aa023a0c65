#pragma once

#include <string>

#include "platform/display.h"

// The window a run opens: what the "settings" file remembers ("scale = N", N from 1 to 4, and
// "fullscreen = yes" or "no"), overridden by "--scale N" and "--fullscreen" on the command line.

// The scale the text names, or 0 when it is not a whole number from MIN_SCALE to MAX_SCALE.
int ReadScale(const char* text);
// What is wrong with a scale given as this text (null: none was given).
std::string BadScale(const char* text);

// The window the "settings" file remembers; the plain window for what it doesn't say.
DisplayChoice RememberedDisplay();
// Remembers the window in the "settings" file, keeping its other lines.
bool RememberDisplay(const DisplayChoice& choice);

// Chooses the window this run opens: the remembered one, with the scale (0: none given) and
// full screen the command line asked for. A switch the player makes with F11 is remembered
// for the next run.
void ChooseDisplayForThisRun(int scaleOption, bool fullScreenOption);
