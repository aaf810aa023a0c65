#include "framework/changed_areas.h"

#include <algorithm>

#include "framework/kept_text.h"
#include "framework/present.h"
#include "framework/surface.h"

namespace {

bool Overlap(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

SDL_Rect Union(const SDL_Rect& a, const SDL_Rect& b) {
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.w, b.x + b.w);
    const int bottom = std::max(a.y + a.h, b.y + b.h);
    return ZEM_Rect(left, top, right - left, bottom - top);
}

}  // namespace

void ChangedAreas::Start(const SDL_Surface* screen) {
    width = screen->w;
    height = screen->h;
    areas.clear();
}

void ChangedAreas::Add(const SDL_Rect& area) {
    const int left = std::max(0, static_cast<int>(area.x));
    const int top = std::max(0, static_cast<int>(area.y));
    const int right = std::min(width, area.x + area.w);
    const int bottom = std::min(height, area.y + area.h);
    if (right <= left || bottom <= top) {
        return;
    }
    areas.push_back(ZEM_Rect(left, top, right - left, bottom - top));
}

void ChangedAreas::AddMove(const SDL_Rect& before, const SDL_Rect& now) {
    if (Overlap(before, now)) {
        Add(Union(before, now));
    } else {
        Add(before);
        Add(now);
    }
}

bool PresentedFrame::StillShown(const SDL_Surface* screen) const {
    return shownOn != nullptr && shownOn == screen && presentsThen == ZEM_PresentCount() &&
           keptAgeThen == ZEM_KeptPicturesAge();
}

// The frame was drawn with the kept pictures of now: should the present itself forget them
// (a new video mode, say), the next frame goes whole.
void PresentedFrame::PresentWhole(SDL_Surface* screen) {
    keptAgeThen = ZEM_KeptPicturesAge();
    ZEM_Flip(screen);
    Remember(screen);
}

void PresentedFrame::PresentAreas(SDL_Surface* screen, std::vector<SDL_Rect>& areas) {
    keptAgeThen = ZEM_KeptPicturesAge();
    if (!areas.empty()) {
        ZEM_UpdateRects(screen, static_cast<int>(areas.size()), areas.data());
    }
    Remember(screen);
}

void PresentedFrame::Remember(const SDL_Surface* screen) {
    shownOn = screen;
    presentsThen = ZEM_PresentCount();
}
