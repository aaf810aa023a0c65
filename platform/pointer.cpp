#include "platform/pointer.h"

#include "framework/key_press.h"
#include "platform/display.h"
#include "platform/host.h"

namespace {

// What SDL reported, gathered by the event filter between two readings.
PointerState reported;

void ReadReported(PointerState& pointer) {
    pointer = reported;
    reported.clicks = 0;
}

PointerReader reader = ReadReported;

// The reading before this one: a move is a change between two known positions.
PointerState previous;
bool steering = false;
int column = 0;

// Hidden over the window in play, shown elsewhere. Only once the window has seen the
// pointer: a driver without one (the tests' dummy) draws SDL's own arrow into the picture.
void ShowOrHide(bool inPlay) {
    const int wanted = inPlay ? SDL_DISABLE : SDL_ENABLE;
    if (SDL_ShowCursor(SDL_QUERY) != wanted) {
        SDL_ShowCursor(wanted);
    }
}

// Hover selects the line under the pointer; a click on a line chooses it as Enter would.
void PointAtMenu(const PointerState& now, bool moved, int x, int y) {
    ZemMenu* const menu = Host() != nullptr && Host()->menu != nullptr ? *Host()->menu : nullptr;
    if (menu == nullptr) {
        return;
    }
    const int option = menu->OptionAt(x, y, SCREEN_WIDTH, SCREEN_HEIGHT);
    if (moved || now.clicks > 0) {
        menu->Select(option);
    }
    if (now.clicks > 0 && option >= 0) {
        ZEM_PushKeyPress(SDLK_RETURN);
    }
}

}  // namespace

void SetPointerReader(PointerReader newReader) {
    reader = newReader != nullptr ? newReader : ReadReported;
}

bool TakePointerEvent(const SDL_Event* event) {
    switch (event->type) {
        case SDL_MOUSEMOTION:
            reported.x = event->motion.x;
            reported.y = event->motion.y;
            reported.known = true;
            return true;
        case SDL_MOUSEBUTTONDOWN:
            if (event->button.button == SDL_BUTTON_LEFT) {
                reported.x = event->button.x;
                reported.y = event->button.y;
                reported.known = true;
                ++reported.clicks;
            }
            return true;
        case SDL_MOUSEBUTTONUP:
            return true;
        case SDL_ACTIVEEVENT:
            // The pointer entering or leaving the window is the mouse too; the same event
            // for the keyboard's focus or the window's iconifying goes on as before.
            return event->active.state == SDL_APPMOUSEFOCUS;
        default:
            return false;
    }
}

void ForgetPointerPosition() {
    reported.known = false;
    previous.known = false;
}

void PollPointer() {
    PointerState now;
    reader(now);
    const bool moved = now.known && previous.known && (now.x != previous.x || now.y != previous.y);
    previous = now;
    if (!now.known) {
        return;
    }
    const bool inPlay = Host() != nullptr && Host()->inPlay != nullptr && Host()->inPlay();
    ShowOrHide(inPlay);
    int x = 0;
    int y = 0;
    const bool onPicture = WindowToPicture(now.x, now.y, &x, &y);
    if (inPlay) {
        // Beside the picture (the black of full screen) the pointer still steers, towards
        // that edge.
        column = x;
        steering = steering || moved;
    } else if (onPicture) {
        PointAtMenu(now, moved, x, y);
    }
}

void ReleasePointerSteering() {
    steering = false;
}

bool PointerSteers() {
    return steering;
}

int PointerColumn() {
    return column;
}

void KeysTakeOver() {
    steering = false;
}
