#pragma once

#include "SDL.h"

// Keys that act on every screen, before any screen or play sees them: M switches the sound
// off and on, F11 between the window and full screen. A hotkey's presses and releases never reach
// the event queue, so one never uses up a frame's one event, and it works while a screen blocks
// (help, pause, lose).

// Hands every event SDL queues to HotkeyFilter from now until SDL is shut down.
void InstallHotkeys();

// 0 for an event a hotkey took (it has acted on a press) and for the pointer's motion and
// buttons (platform/pointer.h reads them once a frame), 1 for any other event.
int HotkeyFilter(const SDL_Event* event);

// Hands each hotkey's name and what it does to the listing, in the order they are defined, so
// that "--help" names every key that works.
void ListHotkeys(void (*list)(const char* keyName, const char* what));
