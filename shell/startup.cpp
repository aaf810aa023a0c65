#include "shell/startup.h"

#include <initializer_list>
#include <memory>

#include "SDL.h"
#include "SDL_ttf.h"
#include "framework/menu.h"
#include "framework/plain_file.h"
#include "framework/surface.h"
#include "framework/kept_text.h"
#include "shell/display.h"
#include "shell/display_options.h"
#include "shell/game.h"
#include "shell/gamepads.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "shell/main_loop.h"
#include "shell/screens.h"

namespace {

const char* const MENU_BOX_FILE = "menubox.bmp";
const char* const BACKGROUND_FILE = "background640.jpg";
const char* const IMPACT_FONT_FILE = "impact.ttf";
const char* const ARIAL_FONT_FILE = "arial.ttf";

const int IMPACT_SMALL_POINTS = 50;
const int IMPACT_LARGE_POINTS = 70;
const int ARIAL_POINTS = 14;

// A command line the game can't follow.
const int EXIT_BAD_OPTION = 2;

}  // namespace

bool init() {
    if (SDL_Init(SDL_INIT_EVERYTHING) == -1) {
        return false;
    }
    screen = OpenDisplay();
    if (screen == nullptr) {
        return false;
    }
    ZEM_ForgetKeptPictures();
    if (TTF_Init() == -1) {
        return false;
    }
    SDL_WM_SetCaption(game->caption, nullptr);
    SDL_ShowCursor(SDL_DISABLE);
    OpenPads();
    return true;
}

bool load_files() {
    // Anything but an ordinary file under a picture's or a font's name counts as missing.
    for (const char* name : {MENU_BOX_FILE, BACKGROUND_FILE, IMPACT_FONT_FILE, ARIAL_FONT_FILE}) {
        if (!ZEM_IsPlainFile(name)) {
            return false;
        }
    }
    // Both pictures are tried, then all three fonts, before anything is judged.
    ZEM_ForgetKeptPictures();
    menuBox = ZEM_LoadImage(MENU_BOX_FILE);
    background = ZEM_LoadImage(BACKGROUND_FILE);
    if (menuBox == nullptr || background == nullptr) {
        return false;
    }
    impactFont1 = TTF_OpenFont(IMPACT_FONT_FILE, IMPACT_SMALL_POINTS);
    impactFont2 = TTF_OpenFont(IMPACT_FONT_FILE, IMPACT_LARGE_POINTS);
    arialFont1 = TTF_OpenFont(ARIAL_FONT_FILE, ARIAL_POINTS);
    if (impactFont1 == nullptr || impactFont2 == nullptr || arialFont1 == nullptr) {
        return false;
    }
    hiScore = ReadHiScore(HISCORE_FILE);
    return true;
}

void clean_up() {
    SDL_FreeSurface(background);
    SDL_FreeSurface(menuBox);
    background = nullptr;
    menuBox = nullptr;
    TTF_CloseFont(impactFont1);
    TTF_CloseFont(impactFont2);
    TTF_CloseFont(arialFont1);
    impactFont1 = nullptr;
    impactFont2 = nullptr;
    arialFont1 = nullptr;
    ZEM_ForgetKeptPictures();
    // A score that can't be saved is not worth stopping the shut-down for.
    WriteHiScore(HISCORE_FILE, hiScore);
    TTF_Quit();
    ClosePads();
    CloseDisplay();
    SDL_Quit();
}

void ZEM_UseGame(const ZemGame& theGame) {
    game = &theGame;
    Paddle::speedLimit = theGame.paddleSpeedLimit;
}

int ZEM_RunGame(const ZemGame& theGame, int argc, char* argv[]) {
    ZEM_UseGame(theGame);
    if (!ChooseDisplayFromCommandLine(argc, argv)) {
        return EXIT_BAD_OPTION;
    }
    // A failed start-up leaves everything as it stands: no clean-up, no score written.
    if (!init()) {
        return 1;
    }
    if (!load_files()) {
        return 1;
    }
    timer.Start();
    auto theMenu = std::make_unique<ZemMenu>();
    menu = theMenu.get();
    PushState(MenuState);
    PreMenu();
    RunMainLoop();
    theMenu.reset();
    menu = nullptr;
    clean_up();
    return 0;
}
