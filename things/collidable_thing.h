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
// Copies hold their own list.
class CollidableThing {
public:
    void AddBox(SDL_Rect box);
    // Values keep their low 16 bits, as SDL_Rect stores them (x, y signed; w, h unsigned);
    // nothing is checked or clamped: the games only pass playfield values.
    void AddBox(int x, int y, int w, int h);
    void ClearBoxes();
    std::vector<SDL_Rect>& GetCollisionBoxes();

    // True when any own box overlaps any of otherBoxes. Each contact vector given is refilled
    // with one record per box of the list it describes: myContacts for the own boxes,
    // otherContacts for otherBoxes, each record the union over every box of the other list.
    // Both may be null. Given the same vector twice, it describes otherBoxes only.
    bool HasCollided(const std::vector<SDL_Rect>& otherBoxes, std::vector<CollData>* myContacts,
                     std::vector<CollData>* otherContacts) const;

protected:
    std::vector<SDL_Rect> boxes;
};
