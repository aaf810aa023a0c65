#pragma once

#include <vector>

#include "SDL.h"

// A play screen changes a few small places a frame; presenting only those spares the window
// most of its work. These keep the list of places, and know when the window holds something
// else (another screen presented since, or a new screen), so that the frame must go whole.

// The places of the screen a frame changed, each cut to the screen.
class ChangedAreas {
public:
    // Starts a frame's list on this screen.
    void Start(const SDL_Surface* screen);
    // Adds the place; nothing when none of it is on the screen.
    void Add(const SDL_Rect& area);
    // Where a thing was and where it is: one place when the two overlap, else both.
    void AddMove(const SDL_Rect& before, const SDL_Rect& now);

    std::vector<SDL_Rect>& Areas() { return areas; }

private:
    int width = 0;
    int height = 0;
    std::vector<SDL_Rect> areas;
};

// The last frame one play screen presented.
class PresentedFrame {
public:
    // Whether the window and the screen still hold that frame: it was presented on this
    // screen, nothing was presented since and no kept picture was forgotten since.
    bool StillShown(const SDL_Surface* screen) const;
    // Presents the whole screen.
    void PresentWhole(SDL_Surface* screen);
    // Presents only these places (none: nothing changed, and nothing is presented).
    void PresentAreas(SDL_Surface* screen, std::vector<SDL_Rect>& areas);

private:
    void Remember(const SDL_Surface* screen);

    const SDL_Surface* shownOn = nullptr;
    unsigned presentsThen = 0;
    unsigned keptAgeThen = 0;
};
