#include "shell/screens.h"

#include "SDL.h"
#include "framework/menu.h"
#include "framework/surface.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
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

// The main menu's lines in a box in the middle of the background picture.
void DrawMainMenu() {
    ZEM_BlitSurface(background, nullptr, screen, 0, 0);
    SDL_Surface* text = menu->Draw(impactFont1, impactFont2);
    if (text != nullptr) {
        SDL_Surface* box = ZEM_RenderBox(text->w + 2 * BOX_MARGIN, text->h + 2 * BOX_MARGIN,
                                         BOX_TILE_SIZE, menuBox);
        CentreOnScreen(box);
        CentreOnScreen(text);
        SDL_FreeSurface(box);
        SDL_FreeSurface(text);
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
    switch (menu->AcceptChoice(event)) {
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
    // The box stays as drawn: nothing on this screen changes until Enter.
    while (menu->AcceptChoice(event) == NO_CHOICE) {
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
    int choice = menu->GetChoice(event, screen, impactFont2, impactFont1);
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
    menu->GetChoice(event, screen, impactFont2, arialFont1);
    PreMenu();
    StateStack.pop();
}
