#pragma once

#include "SDL.h"

// F11 switches between the window and full screen on every screen. It is taken out of the
// event stream before it is queued: a screen that blocks still sees the switch, and play
// never spends its one event of a frame on it.

// Whether the event is the full-screen key, pressed or released (a press asks for the
// switch). Such an event goes no further.
bool TakeDisplayHotkey(const SDL_Event& event);

// Installs the SDL event filter that takes the key; after SDL_Init.
void InstallDisplayHotkey();
