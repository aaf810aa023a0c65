#pragma once

#include <vector>

#include "SDL.h"
#include "framework/menu.h"

// What the platform layer needs of the game the shell runs above it, handed down by the shell
// when it takes the game (ZEM_UseGame): the platform never looks up into the shell.
struct PlatformHost {
    // The window caption: the name of messages when the program has none, and the --help text.
    const char* caption = "";
    // The help screen's header lines, for --help.
    const std::vector<const char*>* helpLines = nullptr;
    // Which of the game's own options it takes ("--levels FILE", "--computer" and "--demo").
    bool playsLevelSets = false;
    bool hasComputerPlayers = false;
    // Whether the game is played over the network, and so takes "--host", "--join" and "--port".
    bool playsOverNetwork = false;
    // Whether play is on screen now: a pad's Start pauses only there. Null: never.
    bool (*inPlay)() = nullptr;
    // The shell's variable for the surface the game draws on: the display points it at a
    // picture of its own from the first full-screen switch on. Null: none to keep up to date.
    SDL_Surface** drawingSurface = nullptr;
    // The shell's one menu, which the pointer points at and clicks. Null: no menu to point at.
    ZemMenu* const* menu = nullptr;
};

// Hands the game down; the record is copied. Before the first call Host() is null.
void SetPlatformHost(const PlatformHost& host);
const PlatformHost* Host();
