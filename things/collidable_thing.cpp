#include "things/collidable_thing.h"

#include "framework/surface.h"

namespace {

// A box's inclusive edges in full-width ints, so boxes near the ends of the 16-bit range
// don't wrap around.
struct Edges {
    int left;
    int top;
    int right;
    int bottom;
};

Edges EdgesOf(const SDL_Rect& box) {
    const int x = box.x;
    const int y = box.y;
    const int w = box.w;
    const int h = box.h;
    return Edges{x, y, x + w - 1, y + h - 1};
}

bool Overlap(const Edges& a, const Edges& b) {
    return !(a.right < b.left || a.left > b.right || a.bottom < b.top || a.top > b.bottom);
}

bool Within(int value, int low, int high) {
    return value >= low && value <= high;
}

// Marks on `record` the edges of `mine` that lie inside `other`.
void MarkContact(CollData& record, const Edges& mine, const Edges& other) {
    record.collided = true;
    record.left = record.left || Within(mine.left, other.left, other.right);
    record.right = record.right || Within(mine.right, other.left, other.right);
    record.top = record.top || Within(mine.top, other.top, other.bottom);
    record.bottom = record.bottom || Within(mine.bottom, other.top, other.bottom);
}

void Refill(std::vector<CollData>* contacts, std::size_t count) {
    if (contacts != nullptr) {
        contacts->assign(count, CollData{});
    }
}

}  // namespace

void CollidableThing::AddBox(SDL_Rect box) {
    boxes.push_back(box);
}

void CollidableThing::AddBox(int x, int y, int w, int h) {
    boxes.push_back(ZEM_Rect(x, y, w, h));
}

void CollidableThing::ClearBoxes() {
    boxes.clear();
}

std::vector<SDL_Rect>& CollidableThing::GetCollisionBoxes() {
    return boxes;
}

bool CollidableThing::HasCollided(const std::vector<SDL_Rect>& otherBoxes,
                                  std::vector<CollData>* myContacts,
                                  std::vector<CollData>* otherContacts) const {
    // One vector cannot hold both lists' records: writing own records into a vector sized
    // for the other list could run past its end.
    if (myContacts == otherContacts) {
        myContacts = nullptr;
    }
    Refill(myContacts, boxes.size());
    Refill(otherContacts, otherBoxes.size());

    bool result = false;
    for (std::size_t i = 0; i < otherBoxes.size(); ++i) {
        const Edges other = EdgesOf(otherBoxes[i]);
        for (std::size_t j = 0; j < boxes.size(); ++j) {
            const Edges mine = EdgesOf(boxes[j]);
            if (!Overlap(mine, other)) {
                continue;
            }
            result = true;
            if (otherContacts != nullptr) {
                MarkContact((*otherContacts)[i], other, mine);
            }
            if (myContacts != nullptr) {
                MarkContact((*myContacts)[j], mine, other);
            }
        }
    }
    return result;
}
