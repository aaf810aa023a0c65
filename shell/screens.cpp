#include "shell/screens.h"

#include "SDL.h"
#include "framework/kept_text.h"
#include "framework/menu.h"
#include "framework/surface.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/quit_request.h"
#include "shell/state_stack.h"
#include "shell/window.h"
#include "things/displacer_thing.h"

namespace {

struct ScreenColour {
    int r;
    int g;
    int b;
};

const ScreenColour MAIN_MENU_SELECTED = {255, 0, 0};
const ScreenColour HELP_HEADER = {100, 250, 100};
const ScreenColour HELP_SELECTED = {180, 20, 240};
const ScreenColour LOSE_HEADER = {200, 20, 20};

const char* const PRESS_ENTER = "Press Enter to Continue";

// The main menu's options, in order.
const int CHOICE_PLAY = 0;
const int CHOICE_HELP = 1;
const int CHOICE_QUIT = 2;

// The pause menu's options, in order.
const int CHOICE_CONTINUE = 0;
const int CHOICE_RETURN_TO_MENU = 1;

const int NO_CHOICE = -1;

const int BOX_TILE_SIZE = 30;
const int BOX_MARGIN = 10;  // box beyond the text on every side of the main menu

void CentreOnScreen(SDL_Surface* surface) {
    if (surface == nullptr) {
        return;
    }
    ZEM_BlitSurface(surface, nullptr, screen, (SCREEN_WIDTH - surface->w) / 2,
                    (SCREEN_HEIGHT - surface->h) / 2);
}

int CentredX(const SDL_Surface* surface) {
    return (SCREEN_WIDTH - surface->w) / 2;
}

int CentredY(const SDL_Surface* surface) {
    return (SCREEN_HEIGHT - surface->h) / 2;
}

bool SameFormat(const SDL_PixelFormat* a, const SDL_PixelFormat* b) {
    return a->BitsPerPixel == b->BitsPerPixel && a->Rmask == b->Rmask && a->Gmask == b->Gmask &&
           a->Bmask == b->Bmask && a->Amask == b->Amask;
}

// How a surface's pixels go onto another: its transparent colour and its alpha.
struct BlitSettings {
    Uint32 flags = 0;
    Uint32 colourKey = 0;
    Uint8 alpha = 0;
    bool operator==(const BlitSettings& other) const {
        return flags == other.flags && colourKey == other.colourKey && alpha == other.alpha;
    }
};

BlitSettings BlitLook(const SDL_Surface* surface) {
    return {surface->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA), surface->format->colorkey,
            surface->format->alpha};
}

// The main menu's box with its lines laid into it, kept from one pass to the next: the menu
// shows it on every pass of the main loop, and it only changes when the selection moves.
//
// Laying the lines into the box and then the box on the screen gives the very pixels that
// the box and then the lines on the screen give: both keep cyan transparent, and the lines
// lie wholly inside the box, at the offset the two centrings put them. So the kept picture
// serves as long as everything it was drawn from is unchanged: the menu's lines, colours and
// selection, both fonts, the box texture and the screen's pixel format. The texture is held
// (its reference count raised) so that its address can't come back as another picture's;
// like every loaded picture of the game, nothing ever draws on it.
class MainMenuPicture {
public:
    MainMenuPicture() = default;
    ~MainMenuPicture() { Forget(); }
    MainMenuPicture(const MainMenuPicture&) = delete;
    MainMenuPicture& operator=(const MainMenuPicture&) = delete;

    // The box and lines as a fresh drawing would show them: null when there are none.
    SDL_Surface* Get() {
        if (picture == nullptr || !StillFits()) {
            Redraw();
        }
        return picture;
    }

    void Forget() {
        SDL_FreeSurface(picture);
        SDL_FreeSurface(texture);
        picture = nullptr;
        texture = nullptr;
    }

private:
    bool StillFits() const {
        const SDL_Surface* video = SDL_GetVideoSurface();
        return video != nullptr && SameFormat(picture->format, video->format) &&
               drawnFrom.DrawsLike(*menu) && headerFont.Matches(impactFont1) &&
               optionFont.Matches(impactFont2) && texture == menuBox &&
               (texture == nullptr || BlitLook(texture) == textureLook);
    }

    void Redraw() {
        Forget();
        SDL_Surface* text = menu->Draw(impactFont1, impactFont2);
        if (text == nullptr) {
            return;
        }
        SDL_Surface* box = ZEM_RenderBox(text->w + 2 * BOX_MARGIN, text->h + 2 * BOX_MARGIN,
                                         BOX_TILE_SIZE, menuBox);
        if (box != nullptr) {
            ZEM_BlitSurface(text, nullptr, box, CentredX(text) - CentredX(box),
                            CentredY(text) - CentredY(box));
            picture = box;
            Remember();
        }
        SDL_FreeSurface(text);
    }

    void Remember() {
        drawnFrom = *menu;
        headerFont = FontLook::Of(impactFont1);
        optionFont = FontLook::Of(impactFont2);
        texture = menuBox;
        if (texture != nullptr) {
            ++texture->refcount;
            textureLook = BlitLook(texture);
        }
    }

    SDL_Surface* picture = nullptr;
    ZemMenu drawnFrom;
    FontLook headerFont;
    FontLook optionFont;
    SDL_Surface* texture = nullptr;
    BlitSettings textureLook;
};

MainMenuPicture mainMenuPicture;

// The box and the lines drawn afresh, each centred; either may be missing.
void DrawBoxAndLines() {
    SDL_Surface* text = menu->Draw(impactFont1, impactFont2);
    if (text != nullptr) {
        SDL_Surface* box = ZEM_RenderBox(text->w + 2 * BOX_MARGIN, text->h + 2 * BOX_MARGIN,
                                         BOX_TILE_SIZE, menuBox);
        CentreOnScreen(box);
        CentreOnScreen(text);
        SDL_FreeSurface(box);
        SDL_FreeSurface(text);
    }
}

// The main menu's lines in a box in the middle of the background picture.
void DrawMainMenu() {
    ZEM_BlitSurface(background, nullptr, screen, 0, 0);
    SDL_Surface* picture = mainMenuPicture.Get();
    if (picture != nullptr) {
        CentreOnScreen(picture);
    } else {
        DrawBoxAndLines();
    }
    SDL_Flip(screen);
}

}  // namespace

void PreMenu() {
    menu->Reset();
    menu->AddHeader(GAME_CAPTION);
    menu->AddOption("Play");
    menu->AddOption("Help");
    menu->AddOption("Quit");
    menu->SetOnColor(MAIN_MENU_SELECTED.r, MAIN_MENU_SELECTED.g, MAIN_MENU_SELECTED.b);
}

void MenuState() {
    DrawMainMenu();
    const int choice = menu->AcceptChoice(event);
    if (choice != NO_CHOICE) {
        // Off to another screen: the menu is drawn afresh when it comes back.
        mainMenuPicture.Forget();
    }
    switch (choice) {
        case CHOICE_PLAY:
            PrePlay();
            PushState(PlayState);
            break;
        case CHOICE_HELP:
            PushState(HelpState);
            break;
        case CHOICE_QUIT:
            StateStack.pop();
            break;
        default:
            break;
    }
}

void HelpState() {
    ZEM_BlitSurface(background, nullptr, screen, 0, 0);
    menu->Reset();
    menu->SetHeaderColor(HELP_HEADER.r, HELP_HEADER.g, HELP_HEADER.b);
    menu->SetOnColor(HELP_SELECTED.r, HELP_SELECTED.g, HELP_SELECTED.b);
    for (const char* line : HELP_LINES) {
        menu->AddHeader(line);
    }
    menu->AddOption(PRESS_ENTER);
    menu->ShowBoxed(screen, impactFont1, arialFont1, menuBox);
    // The box stays as drawn: nothing on this screen changes until Enter (or a quit signal).
    while (!QuitRequested() && menu->AcceptChoice(event) == NO_CHOICE) {
    }
    PreMenu();
    StateStack.pop();
}

void PauseState() {
    // Time on the pause screen must not count, or the pacer would see a gap afterwards.
    timer.Pause();
    DisplacerThing savedScreen;
    if (PAUSE_SAVES_SCREEN) {
        SDL_Rect wholeScreen = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
        savedScreen.TakeShot(screen, wholeScreen);
    }
    menu->Reset();
    menu->AddHeader("Game Paused");
    menu->AddOption("Continue Game");
    menu->AddOption("Return to Menu");
    int choice = menu->GetChoice(event, screen, impactFont2, impactFont1, QuitRequested);
    if (choice == CHOICE_CONTINUE) {
        StateStack.pop();
    } else if (choice == CHOICE_RETURN_TO_MENU) {
        StateStack.pop();
        StateStack.pop();
        PreMenu();
    }
    if (PAUSE_SAVES_SCREEN) {
        savedScreen.ReturnShot();
    }
    timer.Resume();
}

void LoseState() {
    menu->Reset();
    menu->SetHeaderColor(LOSE_HEADER.r, LOSE_HEADER.g, LOSE_HEADER.b);
    menu->AddHeader("You Are Dead");
    menu->AddOption(PRESS_ENTER);
    menu->GetChoice(event, screen, impactFont2, arialFont1, QuitRequested);
    PreMenu();
    StateStack.pop();
}
