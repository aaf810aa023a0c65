#include "shell/startup.h"

#include <cstdlib>
#include <initializer_list>
#include <memory>

#include "SDL.h"
#include "SDL_ttf.h"
#include "framework/menu.h"
#include "framework/kept_text.h"
#include "framework/sound.h"
#include "platform/command_line.h"
#include "platform/display.h"
#include "platform/display_options.h"
#include "shell/game.h"
#include "platform/gamepads.h"
#include "platform/host.h"
#include "platform/pointer.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "platform/hotkeys.h"
#include "shell/main_loop.h"
#include "shell/screens.h"
#include "shell/hiscore_save.h"
#include "platform/quit_request.h"
#include "platform/sound_switch.h"
#include "platform/startup_checks.h"

namespace {

const char* const MENU_BOX_FILE = "menubox.bmp";
const char* const BACKGROUND_FILE = "background640.jpg";
const char* const IMPACT_FONT_FILE = "impact.ttf";
const char* const ARIAL_FONT_FILE = "arial.ttf";

const int IMPACT_SMALL_POINTS = 50;
const int IMPACT_LARGE_POINTS = 70;
const int ARIAL_POINTS = 14;

// The one menu object of a run, from start-up to shut-down.
std::unique_ptr<ZemMenu> theMenu;

}  // namespace

bool init() {
    if (!ChooseVideoDriver()) {
        return false;
    }
    // Everything but SDL's timer thread: it wakes every millisecond, and the games set no
    // timer (their clock is SDL_GetTicks, which needs no thread). The video is started on its
    // own, so that a failure there is told as what it is.
    if (ZEM_InitSdl(SDL_INIT_EVERYTHING & ~SDL_INIT_TIMER & ~SDL_INIT_VIDEO) == -1) {
        ReportSdlStartFailure();
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == -1) {
        ReportVideoStartFailure();
        return false;
    }
    // The game never asks whether it has the focus. Left in the queue, the focus changes
    // (a burst of them as the compatibility layer opens its window) would each take a
    // screen's one event of a pass and hold a key back.
    SDL_EventState(SDL_ACTIVEEVENT, SDL_IGNORE);
    screen = OpenDisplay();
    if (screen == nullptr) {
        ReportWindowFailure();
        return false;
    }
    ZEM_ForgetKeptPictures();
    if (TTF_Init() == -1) {
        ReportFontLibraryFailure();
        return false;
    }
    SDL_WM_SetCaption(WindowCaption().c_str(), nullptr);
    // Shown on the menus once the window has seen the pointer (platform/pointer.h).
    SDL_ShowCursor(SDL_DISABLE);
    OpenPads();
    ForgetPointerPosition();
    ReleasePointerSteering();
    return true;
}

std::string WindowCaption() {
    const std::string levelSet = LevelSetName(chosenOnCommandLine.levels);
    return levelSet.empty() ? game->caption : std::string(game->caption) + ": " + levelSet;
}

bool load_files() {
    // Anything but an ordinary file under a picture's or a font's name counts as missing.
    for (const char* name : {MENU_BOX_FILE, BACKGROUND_FILE, IMPACT_FONT_FILE, ARIAL_FONT_FILE}) {
        if (!StartupFileReadable(name)) {
            return false;
        }
    }
    // Both pictures are tried, then all three fonts, before anything is judged.
    ZEM_ForgetKeptPictures();
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
    hiScore = ReadHiScore(HiScoreFileFor(chosenOnCommandLine.levels));
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
    SaveHiScoreOrSayWhy(HiScoreFileFor(chosenOnCommandLine.levels), hiScore);
    TTF_Quit();
    ClosePads();
    CloseDisplay();
    SDL_Quit();
}

namespace {

bool PlayOnTop() {
    return game != nullptr && StateOnTop(game->PlayState);
}

}  // namespace

void ZEM_UseGame(const ZemGame& theGame) {
    game = &theGame;
    Paddle::speedLimit = theGame.paddleSpeedLimit;
    PlatformHost host;
    host.caption = theGame.caption;
    host.helpLines = &theGame.helpLines;
    host.playsLevelSets = theGame.playsLevelSets;
    host.hasComputerPlayers = theGame.hasComputerPlayers;
    host.playsOverNetwork = theGame.playsOverNetwork;
    host.inPlay = PlayOnTop;
    host.drawingSurface = &screen;
    host.menu = &menu;
    SetPlatformHost(host);
}

bool ZEM_StartGame(const ZemGame& theGame) {
    ZEM_UseGame(theGame);
    // A set of the player's own is looked at before a window opens, so a mistyped name is
    // told at once and alone.
    const std::string& levelSet = chosenOnCommandLine.levels;
    if (!levelSet.empty() && !LevelSetReadable(levelSet.c_str())) {
        return false;
    }
    if (!init() || !load_files()) {
        return false;
    }
    StartSound(chosenOnCommandLine.mute);
    InstallHotkeys();
    timer.Start();
    theMenu = std::make_unique<ZemMenu>();
    menu = theMenu.get();
    PushState(MenuState);
    PreMenu();
    // The self-running show goes straight into play; leaving it leads to the main menu.
    if (chosenOnCommandLine.demo) {
        game->PrePlay();
        PushState(game->PlayState);
    }
    return true;
}

void ZEM_EndGame() {
    theMenu.reset();
    menu = nullptr;
    StopSound();
    clean_up();
}

int ZEM_RunGame(const ZemGame& theGame, int argc, char* argv[]) {
    ZEM_UseGame(theGame);
    const int commandLineStatus = TakeCommandLine(argc, argv);
    if (commandLineStatus != RUN_THE_GAME) {
        return commandLineStatus;
    }
    if (std::getenv(COMMAND_LINE_ONLY_VARIABLE) != nullptr) {
        return COMMAND_LINE_FITS;
    }
    ChooseDisplayForThisRun(chosenOnCommandLine.scale, chosenOnCommandLine.fullScreen);
    CatchQuitSignals();
    // A host that can't listen, or a guest turned away, ends here before any window opens.
    if (theGame.OpenLink != nullptr && !theGame.OpenLink()) {
        return 1;
    }
    // A failed start-up leaves everything as it stands: no clean-up, no score written.
    if (!ZEM_StartGame(theGame)) {
        return 1;
    }
    RunMainLoop();
    ZEM_EndGame();
    return 0;
}
