#include "shell/screens.h"

#include "SDL.h"
#include "framework/clock.h"
#include "framework/kept_text.h"
#include "framework/menu.h"
#include "framework/sound.h"
#include "framework/surface.h"
#include "framework/present.h"
#include "platform/display.h"
#include "shell/controls.h"
#include "shell/game.h"
#include "platform/gamepads.h"
#include "platform/pointer.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "shell/startup.h"
#include "platform/quit_request.h"
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
const SDL_Color LOSE_HEADER = {200, 20, 20, 0};

const char* const PRESS_ENTER = "Press Enter to Continue";

// The main menu's options, in order.
const int CHOICE_PLAY = 0;
const int CHOICE_HELP = 1;
const int CHOICE_QUIT = 2;

const SDL_Color NOTICE_HEADER = {255, 255, 255, 0};
// The link's line under the main menu: white over the picture, near its foot.
const SDL_Color LINK_LINE_COLOUR = {255, 255, 255, 0};
const int LINK_LINE_Y = 430;

const int BOX_TILE_SIZE = 30;
const int BOX_MARGIN = 10;  // box beyond the text on every side of the main menu

// The help screen looks for its key this often while nothing is queued, as often as the pause
// and lose screens do: a prompt answer without spending a core on asking.
const Uint32 HELP_KEY_WAIT_MS = 20;

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

// The main menu's box with its lines laid into it, kept from one pass to the next: the menu
// shows it on every pass of the main loop, and it only changes when the selection moves.
//
// Laying the lines into the box and then the box on the screen gives the very pixels that
// the box and then the lines on the screen give: both keep cyan transparent, and the lines
// lie wholly inside the box, at the offset the two centrings put them. So the kept picture
// serves while the menu is unchanged (its revision) and the fonts, texture and screen are the
// ones it was drawn with (nobody has forgotten the kept pictures since).
class MainMenuPicture {
public:
    MainMenuPicture() = default;
    ~MainMenuPicture() { Forget(); }
    MainMenuPicture(const MainMenuPicture&) = delete;
    MainMenuPicture& operator=(const MainMenuPicture&) = delete;

    // The box and lines as a fresh drawing would show them: null when there are none.
    SDL_Surface* Get() {
        if (picture == nullptr || Stale()) {
            Redraw();
        }
        return picture;
    }

    void Forget() {
        SDL_FreeSurface(picture);
        picture = nullptr;
        shown = false;
    }

    // Whether the window shows this very picture already: it was presented and nothing it
    // is drawn from has changed since.
    bool Shown() const { return shown && picture != nullptr && !Stale(); }
    void MarkShown() { shown = picture != nullptr; }

private:
    bool Stale() const {
        return drawnMenu != menu || drawnRevision != menu->Revision() ||
               drawnAge != ZEM_KeptPicturesAge();
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
            drawnMenu = menu;
            drawnRevision = menu->Revision();
            drawnAge = ZEM_KeptPicturesAge();
        }
        SDL_FreeSurface(text);
    }

    SDL_Surface* picture = nullptr;
    bool shown = false;
    const ZemMenu* drawnMenu = nullptr;
    unsigned drawnRevision = 0;
    unsigned drawnAge = 0;
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

// The link's line as last drawn on the main menu (and put in the caption).
std::string linkLineShown;

std::string LinkLine() {
    return game->LinkLine != nullptr ? game->LinkLine() : std::string();
}

void DrawLinkLine(const std::string& line) {
    if (line != linkLineShown) {
        const std::string caption = WindowCaption();
        SDL_WM_SetCaption((line.empty() ? caption : caption + ": " + line).c_str(), nullptr);
    }
    linkLineShown = line;
    if (line.empty()) {
        return;
    }
    SDL_Surface* text = TTF_RenderText_Solid(arialFont1, line.c_str(), LINK_LINE_COLOUR);
    if (text != nullptr) {
        ZEM_BlitSurface(text, nullptr, screen, CentredX(text), LINK_LINE_Y);
        SDL_FreeSurface(text);
    }
}

// The main menu's lines in a box in the middle of the background picture, and the link's
// line when there is one. While the window shows it unchanged, the pass draws and presents
// nothing.
void DrawMainMenu() {
    const std::string line = LinkLine();
    if (mainMenuPicture.Shown() && line == linkLineShown) {
        // No present this pass, so what a present would serve is served here: F11, the pads
        // and the mouse work on a menu nobody has touched yet.
        ServeDisplay();
        PollPads();
        PollPointer();
        return;
    }
    ZEM_BlitSurface(background, nullptr, screen, 0, 0);
    SDL_Surface* picture = mainMenuPicture.Get();
    if (picture != nullptr) {
        CentreOnScreen(picture);
    } else {
        DrawBoxAndLines();
    }
    DrawLinkLine(line);
    ZEM_Flip(screen);
    mainMenuPicture.MarkShown();
}

bool LinkStartedPlay() {
    return game->ServeLink != nullptr && game->ServeLink();
}

void StartPlay() {
    // Off to another screen: the menu is drawn afresh when it comes back.
    mainMenuPicture.Forget();
    ReleasePadSteering();
    ReleasePointerSteering();
    FeedPaddlesPlainly();
    game->PrePlay();
    PushState(game->PlayState);
}

}  // namespace

// Asked on every pass of a screen that waits for a key. Nothing is presented while its
// picture stands still, so a full-screen switch, the pads and the mouse are served here; a
// quit signal ends the wait.
bool ServeWhileWaiting() {
    ServeDisplay();
    PollPads();
    PollPointer();
    return QuitRequested() || LinkStartedPlay();
}

void PreMenu() {
    menu->Reset();
    menu->AddHeader(game->caption);
    menu->AddOption("Play");
    menu->AddOption("Help");
    menu->AddOption("Quit");
    menu->SetOnColor(MAIN_MENU_SELECTED.r, MAIN_MENU_SELECTED.g, MAIN_MENU_SELECTED.b);
}

void MenuState() {
    if (LinkStartedPlay()) {
        StartPlay();
        return;
    }
    DrawMainMenu();
    const int choice = menu->AcceptChoice(event);
    if (choice != NO_CHOICE && choice != CHOICE_PLAY) {
        // Off to another screen: the menu is drawn afresh when it comes back.
        mainMenuPicture.Forget();
    }
    switch (choice) {
        case CHOICE_PLAY:
            if (game->MayStartPlay == nullptr || game->MayStartPlay()) {
                StartPlay();
            }
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
    for (const char* line : game->helpLines) {
        menu->AddHeader(line);
    }
    menu->AddOption(PRESS_ENTER);
    menu->ShowBoxed(screen, impactFont1, arialFont1, menuBox);
    // The box stays as drawn: nothing on this screen changes until Enter (or a quit signal).
    while (!ServeWhileWaiting() && menu->AcceptChoice(event) == NO_CHOICE) {
        if (SDL_PollEvent(nullptr) == 0) {
            ZEM_Delay(HELP_KEY_WAIT_MS);
        }
    }
    PreMenu();
    StateStack.pop();
}

int ChooseOnPauseScreen(bool (*stopWaiting)()) {
    ZEM_PlaySound(SOUND_PAUSE_OPENED);
    // Time on the pause screen must not count, or the pacer would see a gap afterwards.
    timer.Pause();
    menu->Reset();
    menu->AddHeader("Game Paused");
    menu->AddOption("Continue Game");
    menu->AddOption("Return to Menu");
    // The menu draws only on its own block, so that is all of the game picture it can spoil.
    DisplacerThing savedScreen;
    if (game->pauseSavesScreen) {
        savedScreen.TakeShot(screen, menu->CentredArea(screen, impactFont2, impactFont1));
    }
    const int choice = menu->WaitForChoice(event, screen, impactFont2, impactFont1, stopWaiting);
    if (game->pauseSavesScreen) {
        savedScreen.ReturnShot();
    }
    timer.Resume();
    return choice;
}

void PauseState() {
    const int choice = ChooseOnPauseScreen(ServeWhileWaiting);
    if (choice == CHOICE_CONTINUE) {
        StateStack.pop();
    } else if (choice == CHOICE_RETURN_TO_MENU) {
        StateStack.pop();
        StateStack.pop();
        PreMenu();
    }
}

void ShowOverPlay(const std::vector<std::string>& headers, SDL_Color headerColour) {
    menu->Reset();
    menu->SetHeaderColor(headerColour.r, headerColour.g, headerColour.b);
    for (std::string line : headers) {
        menu->AddHeader(line);
    }
    menu->AddOption(PRESS_ENTER);
    menu->WaitForChoice(event, screen, impactFont2, arialFont1, ServeWhileWaiting);
}

void ShowNotice(const std::vector<std::string>& lines, bool (*stopWaiting)()) {
    menu->Reset();
    menu->SetHeaderColor(NOTICE_HEADER.r, NOTICE_HEADER.g, NOTICE_HEADER.b);
    for (std::string line : lines) {
        menu->AddHeader(line);
    }
    menu->AddOption(PRESS_ENTER);
    // Drawn over play, which is painted anew by the next duel.
    menu->WaitForChoice(event, screen, impactFont1, arialFont1, stopWaiting);
}

void LoseState() {
    ShowOverPlay({"You Are Dead"}, LOSE_HEADER);
    PreMenu();
    StateStack.pop();
}
