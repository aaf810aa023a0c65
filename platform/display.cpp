#include "platform/display.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/kept_text.h"
#include "framework/present.h"
#include "framework/scale.h"
#include "framework/surface.h"
#include "platform/gamepads.h"
#include "platform/host.h"
#include "platform/pointer.h"
#include "platform/report.h"

namespace {

// What presented before the display took over (SDL's own calls, or a test's watcher): the
// plain window is shown through it, and it comes back when the display closes.
ZemFlipFunction plainFlip = nullptr;
ZemUpdateRectsFunction plainUpdateRects = nullptr;

const Uint32 WINDOW_FLAGS = 0;  // a plain software window
const Uint32 FULL_SCREEN_FLAGS = SDL_FULLSCREEN;

// The window's size and where the enlarged picture lies in it.
struct Layout {
    int width;
    int height;
    int factor;
    int left;
    int top;
    Uint32 flags;
};

DisplayChoice chosen;
bool fullScreenShown = false;
bool switchRequested = false;
void (*switchedHook)(bool) = nullptr;
ScreenSizeReader screenSizeReader = nullptr;
// The screen's size before the first video mode: full screen keeps it, so the monitor never
// changes mode.
int desktopWidth = 0;
int desktopHeight = 0;
// Null while the game draws on the plain window itself.
SDL_Surface* picture = nullptr;
// What the window shows of the picture, unenlarged: a present enlarges only what differs.
SDL_Surface* shownPicture = nullptr;
Layout shown{SCREEN_WIDTH, SCREEN_HEIGHT, 1, 0, 0, WINDOW_FLAGS};

void RememberDesktopSize() {
    if (screenSizeReader != nullptr) {
        screenSizeReader(desktopWidth, desktopHeight);
        return;
    }
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (info != nullptr) {
        desktopWidth = info->current_w;
        desktopHeight = info->current_h;
    }
}

// A window: as large as chosen, or as large as fits on the screen. Full screen: the largest
// whole enlargement that fits, centred. A screen smaller than the
// picture, or one whose size is unknown, gets the picture's own size.
Layout LayoutFor(bool fullScreen) {
    if (!fullScreen) {
        const int factor = LargestScaleThatFits(chosen.scale, desktopWidth, desktopHeight);
        return Layout{SCREEN_WIDTH * factor, SCREEN_HEIGHT * factor, factor, 0, 0, WINDOW_FLAGS};
    }
    const int width = std::max(desktopWidth, SCREEN_WIDTH);
    const int height = std::max(desktopHeight, SCREEN_HEIGHT);
    const int factor = std::min(width / SCREEN_WIDTH, height / SCREEN_HEIGHT);
    return Layout{width,
                  height,
                  factor,
                  (width - SCREEN_WIDTH * factor) / 2,
                  (height - SCREEN_HEIGHT * factor) / 2,
                  FULL_SCREEN_FLAGS};
}

SDL_Surface* SetMode(const Layout& layout) {
    SDL_Surface* window = SDL_SetVideoMode(layout.width, layout.height, SCREEN_BPP, layout.flags);
    if (window != nullptr) {
        shown = layout;
    }
    return window;
}

bool IsPlain(const Layout& layout) {
    return layout.factor == 1 && layout.flags == WINDOW_FLAGS;
}

SDL_Surface* NewPictureLike(const SDL_Surface* window) {
    const SDL_PixelFormat* format = window->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, format->BitsPerPixel,
                                format->Rmask, format->Gmask, format->Bmask, format->Amask);
}

SDL_Rect OnWindow(const SDL_Rect& area) {
    return ZEM_Rect(shown.left + area.x * shown.factor, shown.top + area.y * shown.factor,
                    area.w * shown.factor, area.h * shown.factor);
}

// The part of the rectangle that lies on the picture; false when none does.
bool ClipToPicture(const SDL_Rect& area, SDL_Rect& clipped) {
    const int x = std::max<int>(area.x, 0);
    const int y = std::max<int>(area.y, 0);
    const int right = std::min<int>(area.x + area.w, SCREEN_WIDTH);
    const int bottom = std::min<int>(area.y + area.h, SCREEN_HEIGHT);
    if (right <= x || bottom <= y) {
        return false;
    }
    clipped = ZEM_Rect(x, y, right - x, bottom - y);
    return true;
}

Uint32* Row(SDL_Surface* surface, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
}

// Rows of the area that differ from what the window shows, in bands of neighbouring rows,
// each as wide as the changes in it; what the window will show is brought up to date.
std::vector<SDL_Rect> TakeChanges(const SDL_Rect& area) {
    std::vector<SDL_Rect> bands;
    SDL_LockSurface(picture);
    int bandTop = -1;
    int bandLeft = 0;
    int bandRight = 0;
    auto closeBand = [&](int bottom) {
        if (bandTop >= 0) {
            bands.push_back(
                ZEM_Rect(bandLeft, bandTop, bandRight - bandLeft + 1, bottom - bandTop));
            bandTop = -1;
        }
    };
    for (int y = area.y; y < area.y + area.h; ++y) {
        const Uint32* now = Row(picture, y);
        Uint32* was = Row(shownPicture, y);
        int left = area.x;
        int right = area.x + area.w - 1;
        // Most rows are unchanged: one fast comparison of the whole row settles those.
        if (std::memcmp(now + left, was + left, area.w * sizeof(Uint32)) == 0) {
            closeBand(y);
            continue;
        }
        while (now[left] == was[left]) {
            ++left;
        }
        while (now[right] == was[right]) {
            --right;
        }
        std::memcpy(was + left, now + left, (right - left + 1) * sizeof(Uint32));
        if (bandTop < 0) {
            bandTop = y;
            bandLeft = left;
            bandRight = right;
        } else {
            bandLeft = std::min(bandLeft, left);
            bandRight = std::max(bandRight, right);
        }
    }
    closeBand(area.y + area.h);
    SDL_UnlockSurface(picture);
    return bands;
}

// Enlarges onto the window what changed in the area since the window last showed it, and
// shows only that: a frame of play changes a few small pieces of the picture.
void ShowChanges(SDL_Surface* window, const SDL_Rect& area) {
    std::vector<SDL_Rect> onWindow;
    for (const SDL_Rect& band : TakeChanges(area)) {
        ZEM_ScaleArea(picture, band, window, shown.factor, shown.left, shown.top);
        onWindow.push_back(OnWindow(band));
    }
    if (onWindow.empty()) {
        return;
    }
    SDL_UpdateRects(window, static_cast<int>(onWindow.size()), onWindow.data());
}

const SDL_Rect WHOLE_PICTURE{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};

// After a new video mode the window shows nothing of the picture yet.
void ShowWholePicture(SDL_Surface* window) {
    SDL_FillRect(window, nullptr, SDL_MapRGB(window->format, 0, 0, 0));
    ZEM_ScaleArea(picture, WHOLE_PICTURE, window, shown.factor, shown.left, shown.top);
    SDL_BlitSurface(picture, nullptr, shownPicture, nullptr);
    SDL_Flip(window);
}

// Serves what waits for a present (a full-screen switch, the pads); then the window the
// picture goes to, or null when the plain window is shown (through the presenter from
// before) or there is none.
SDL_Surface* EnlargedWindow() {
    ServeDisplay();
    PollPads();
    PollPointer();
    SDL_Surface* window = ZEM_VideoSurface();
    return picture != nullptr ? window : nullptr;
}

void PresentWhole(SDL_Surface* surface) {
    SDL_Surface* window = EnlargedWindow();
    if (window != nullptr) {
        ShowChanges(window, WHOLE_PICTURE);
    } else if (ZEM_VideoSurface() != nullptr) {
        plainFlip(surface);
    }
}

void PresentRects(SDL_Surface* surface, int count, SDL_Rect* rects) {
    SDL_Surface* window = EnlargedWindow();
    if (window == nullptr) {
        if (ZEM_VideoSurface() != nullptr) {
            plainUpdateRects(surface, count, rects);
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        SDL_Rect area;
        if (ClipToPicture(rects[i], area)) {
            ShowChanges(window, area);
        }
    }
}

// The picture and the copy of what the window shows, in the window's format.
bool MakePictures(SDL_Surface* window) {
    picture = NewPictureLike(window);
    shownPicture = NewPictureLike(window);
    return picture != nullptr && shownPicture != nullptr;
}

// From the first switch on, the game draws on a picture of its own, holding what the plain
// window showed; whatever still names the window draws on the picture.
bool LeavePlainWindow(SDL_Surface* window) {
    if (picture != nullptr) {
        return true;
    }
    if (!MakePictures(window)) {
        return false;
    }
    SDL_BlitSurface(window, nullptr, picture, nullptr);
    ZEM_DrawOnPictureFor(window, picture);
    if (Host() != nullptr && Host()->drawingSurface != nullptr) {
        *Host()->drawingSurface = picture;
    }
    return true;
}

void SwitchFullScreen() {
    SDL_Surface* window = ZEM_VideoSurface();
    if (window == nullptr || !LeavePlainWindow(window)) {
        return;
    }
    const bool wanted = !fullScreenShown;
    window = SetMode(LayoutFor(wanted));
    if (window != nullptr) {
        fullScreenShown = wanted;
    } else {
        window = SetMode(LayoutFor(fullScreenShown));
    }
    ZEM_ForgetKeptPictures();
    ForgetPointerPosition();
    if (window == nullptr) {
        return;
    }
    ShowWholePicture(window);
    if (fullScreenShown == wanted && switchedHook != nullptr) {
        switchedHook(fullScreenShown);
    }
}

// The window is never larger than the screen; the player hears why it is smaller than asked.
void SayWhenTheWindowIsSmaller() {
    const int factor = LargestScaleThatFits(chosen.scale, desktopWidth, desktopHeight);
    if (factor == chosen.scale) {
        return;
    }
    Report("a window " + std::to_string(chosen.scale) + " times as large does not fit the " +
           std::to_string(desktopWidth) + "x" + std::to_string(desktopHeight) +
           " screen; it opens " + std::to_string(factor) + " times as large");
}

}  // namespace

int LargestScaleThatFits(int scale, int screenWidth, int screenHeight) {
    if (screenWidth <= 0 || screenHeight <= 0) {
        return scale;
    }
    while (scale > MIN_SCALE &&
           (SCREEN_WIDTH * scale > screenWidth || SCREEN_HEIGHT * scale > screenHeight)) {
        --scale;
    }
    return scale;
}

void ChooseDisplay(const DisplayChoice& choice) {
    chosen = choice;
}

const DisplayChoice& ChosenDisplay() {
    return chosen;
}

SDL_Surface* OpenDisplay() {
    RememberDesktopSize();
    if (!chosen.fullScreen) {
        SayWhenTheWindowIsSmaller();
    }
    fullScreenShown = chosen.fullScreen;
    switchRequested = false;
    SDL_Surface* window = SetMode(LayoutFor(fullScreenShown));
    if (window == nullptr && fullScreenShown) {
        fullScreenShown = false;
        window = SetMode(LayoutFor(false));
    }
    if (window == nullptr) {
        return nullptr;
    }
    ZemFlipFunction flip = nullptr;
    ZemUpdateRectsFunction updateRects = nullptr;
    ZEM_GetPresenter(&flip, &updateRects);
    // Opened again without a close (after a failed start-up): what came before stays.
    if (flip != PresentWhole) {
        plainFlip = flip;
        plainUpdateRects = updateRects;
    }
    ZEM_SetPresenter(PresentWhole, PresentRects);
    if (IsPlain(shown)) {
        return window;
    }
    if (!MakePictures(window)) {
        return nullptr;
    }
    ShowWholePicture(window);
    return picture;
}

void CloseDisplay() {
    ZEM_SetPresenter(plainFlip, plainUpdateRects);
    ZEM_DrawOnPictureFor(nullptr, nullptr);
    SDL_FreeSurface(picture);
    SDL_FreeSurface(shownPicture);
    picture = nullptr;
    shownPicture = nullptr;
    switchRequested = false;
}

bool FullScreenShown() {
    return fullScreenShown;
}

void RequestFullScreenSwitch() {
    switchRequested = true;
}

void ServeDisplay() {
    if (switchRequested) {
        switchRequested = false;
        SwitchFullScreen();
    }
}

bool WindowToPicture(int windowX, int windowY, int* x, int* y) {
    return ZEM_PicturePointAt(windowX, windowY, shown.factor, shown.left, shown.top, SCREEN_WIDTH,
                              SCREEN_HEIGHT, x, y);
}

void SetScreenSizeReader(ScreenSizeReader reader) {
    screenSizeReader = reader;
}

void OnFullScreenSwitched(void (*switched)(bool fullScreen)) {
    switchedHook = switched;
}
