#pragma once

#include <vector>

#include "SDL.h"

// What one collision box met: whether it overlapped any box of the other list, and on which
// of its own edges the other thing reaches over it.
struct CollData {
    bool collided = false;
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};

// A thing's ordered list of collision boxes. A box covers columns x to x + w - 1 and rows
// y to y + h - 1; contact records are indexed like the boxes, so the order matters.
class CollidableThing {
public:
    void AddBox(SDL_Rect box);
    // Values are narrowed to the 16-bit fields of SDL_Rect, as SDL stores them.
    void AddBox(int x, int y, int w, int h);
    void ClearBoxes();
    std::vector<SDL_Rect>& GetCollisionBoxes();

    // True when any own box overlaps any of otherBoxes. Each contact vector given is refilled
    // with one record per box of the list it describes.
    bool HasCollided(std::vector<SDL_Rect>& otherBoxes, std::vector<CollData>* myContacts,
                     std::vector<CollData>* otherContacts);

protected:
    std::vector<SDL_Rect> boxes;
};
