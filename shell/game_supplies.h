#pragma once

#include <vector>

// What each game supplies to the shared shell. Every program defines these once, in its own
// folder; the shell never asks which game it is running.

// The window caption, also the main menu's header.
extern const char* const GAME_CAPTION;

// The header lines of the help screen, top to bottom.
extern const std::vector<const char*> HELP_LINES;

// Whether the pause screen saves the game picture and puts it back when it closes.
extern const bool PAUSE_SAVES_SCREEN;

// Prepares a new game; called by the main menu right before it pushes PlayState.
void PrePlay();

// One frame of play.
void PlayState();

// Called after every state function: holds each pass of the main loop to the game's pace.
void CapFrameRate();
