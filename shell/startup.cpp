#include "shell/startup.h"

#include <initializer_list>
#include <memory>

#include "SDL.h"
#include "SDL_ttf.h"
#include "framework/menu.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "shell/screens.h"
#include "shell/state_stack.h"
#include "shell/window.h"
// The ways in and out: quit signals, messages, the command line, the high-score save.
#include "shell/quit_request.h"
#include "shell/startup_checks.h"
#include "shell/command_line.h"
#include "shell/hiscore_save.h"

namespace {

const char* const MENU_BOX_FILE = "menubox.bmp";
const char* const BACKGROUND_FILE = "background640.jpg";
const char* const IMPACT_FONT_FILE = "impact.ttf";
const char* const ARIAL_FONT_FILE = "arial.ttf";

const int IMPACT_SMALL_POINTS = 50;
const int IMPACT_LARGE_POINTS = 70;
const int ARIAL_POINTS = 14;

const Uint32 WINDOW_FLAGS = 0;  // a plain software window

void RunMainLoop() {
    // The top is looked up anew every pass: whatever a state pushed or popped decides
    // what runs next, and the pacer follows every call, the one that emptied the stack too.
    while (!StateStack.empty()) {
        void (*state)() = StateStack.top().statePointer;
        state();
        EndOnQuitRequest();
        CapFrameRate();
    }
}

}  // namespace

bool init() {
    if (!ChooseVideoDriver()) {
        return false;
    }
    if (SDL_Init(SDL_INIT_EVERYTHING) == -1) {
        ReportSdlStartFailure();
        return false;
    }
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_BPP, WINDOW_FLAGS);
    if (screen == nullptr) {
        ReportWindowFailure();
        return false;
    }
    if (TTF_Init() == -1) {
        ReportFontLibraryFailure();
        return false;
    }
    SDL_WM_SetCaption(GAME_CAPTION, nullptr);
    SDL_ShowCursor(SDL_DISABLE);
    return true;
}

bool load_files() {
    // Anything but an ordinary file under a picture's or a font's name counts as missing.
    for (const char* name : {MENU_BOX_FILE, BACKGROUND_FILE, IMPACT_FONT_FILE, ARIAL_FONT_FILE}) {
        if (!StartupFileReadable(name)) {
            return false;
        }
    }
    // Both pictures are tried, then all three fonts, before anything is judged.
    menuBox = LoadStartupPicture(MENU_BOX_FILE);
    background = LoadStartupPicture(BACKGROUND_FILE);
    if (menuBox == nullptr || background == nullptr) {
        ReportLoadFailure();
        return false;
    }
    impactFont1 = OpenStartupFont(IMPACT_FONT_FILE, IMPACT_SMALL_POINTS);
    impactFont2 = OpenStartupFont(IMPACT_FONT_FILE, IMPACT_LARGE_POINTS);
    arialFont1 = OpenStartupFont(ARIAL_FONT_FILE, ARIAL_POINTS);
    if (impactFont1 == nullptr || impactFont2 == nullptr || arialFont1 == nullptr) {
        ReportLoadFailure();
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
    // A score that can't be saved is not worth stopping the shut-down for.
    SaveHiScoreOrSayWhy(HISCORE_FILE, hiScore);
    TTF_Quit();
    SDL_Quit();
}

extern "C" int SDL_main(int argc, char* argv[]) {
    const int commandLineStatus = TakeCommandLine(argc, argv);
    if (commandLineStatus != RUN_THE_GAME) {
        return commandLineStatus;
    }
    CatchQuitSignals();
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
