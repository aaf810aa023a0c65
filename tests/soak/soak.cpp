// The soak: a seeded random player drives a game's real screens and play for a long session
// on a fake clock that runs as fast as the machine can go. It presses and holds every game
// key, pauses and continues, goes back to the menu, starts new games, visits the help
// screen, loses games, closes the window and starts the program again. The heap the game
// still holds between two program starts must stay what it was after the first frames: a
// game that keeps piling up memory fails.
//
//   soak_<game> [--frames N] [--seed S] [--check-from F] [--no-memory-check]

#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "SDL.h"
#include "framework/clock.h"
#include "framework/menu.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/startup.h"
#include "shell/main_loop.h"
#include "tests/soak/soak.h"
#include "tests/support/sdl_test.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEM_SOAK_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZEM_SOAK_UNDER_ASAN 1
#endif
#ifdef ZEM_SOAK_UNDER_ASAN
#include <sanitizer/allocator_interface.h>
#endif

namespace {

using State = void (*)();

const long DEFAULT_FRAMES = 200000;
const long DEFAULT_CHECK_FROM = 10000;
// Heap the game may hold between program starts beyond what it held after the first frames:
// room for a container of the game that reached its largest size late, far less than one
// picture, font or frame's worth of anything. The sanitizers' allocator counts exactly what
// is held; the C library's count also takes in the freed blocks its per-thread cache keeps
// for reuse, which fills up to some tens of KiB over a long run.
#ifdef ZEM_SOAK_UNDER_ASAN
const long MEMORY_SLACK_BYTES = 16 * 1024;
#else
const long MEMORY_SLACK_BYTES = 64 * 1024;
#endif
// The player starts the program again at least this often, so that the heap is looked at
// between program starts all through the run.
const long SESSION_FRAMES_AT_MOST = 25000;

// Chances per frame of play, in ten-thousandths: games long enough to be lost now and then.
const int STEER_CHANGE = 600;
const int PAUSE = 20;
const int CLOSE_WINDOW = 1;
const int STRAY_EVENT = 100;
// Chances per wait of the pause and lose screens: mostly Enter, which on the pause screen
// continues unless the player moved down to "Return to Menu" first.
const int BLOCKING_STRAY = 1000;
const int BLOCKING_MOVE = 1000;
// Chances on the main menu, in hundredths: the rest starts a game.
const int MENU_HELP = 8;
const int MENU_QUIT = 4;

struct Options {
    long frames = DEFAULT_FRAMES;
    unsigned seed = 1;
    long checkFrom = DEFAULT_CHECK_FROM;
    bool memoryCheck = true;
};

struct Counts {
    long frames = 0;
    int sessions = 0;
    int games = 0;
    int pauses = 0;
    int continues = 0;
    int returnsToMenu = 0;
    int helpVisits = 0;
    int lostGames = 0;
    int windowCloses = 0;
    int quits = 0;
    int ownScreens = 0;
};

// The clock: it stands still until the game waits, and a wait moves it on at once. The test
// suite's clock keeps every delay, which would grow the heap over a long run.
Uint32 fakeNow = 1000;
Uint32 FakeTicks() {
    return fakeNow;
}
void FakeDelay(Uint32 milliseconds) {
    fakeNow += milliseconds;
}

std::mt19937 dice;
Options options;
Counts counts;
State runningState = nullptr;  // the state whose call is under way, if any
bool winding = false;          // the session has run long enough: the player heads for the exit

bool Chance(int inTenThousand) {
    return std::uniform_int_distribution<int>(0, 9999)(dice) < inTenThousand;
}

int Roll(int sides) {
    return std::uniform_int_distribution<int>(0, sides - 1)(dice);
}

bool QueueEmpty() {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0;
}

// Something no screen asks for: another key, a key let go, the mouse, a close request.
void PushStrayEvent() {
    const SDLKey strays[] = {SDLK_a, SDLK_SPACE, SDLK_TAB, SDLK_F1, SDLK_LEFT, SDLK_UP};
    SDL_Event event{};
    switch (Roll(3)) {
        case 0:
            PushKeyDown(strays[Roll(sizeof strays / sizeof strays[0])]);
            return;
        case 1:
            PushKeyUp(SDLK_p);
            return;
        default:
            event.type = SDL_MOUSEMOTION;
            event.motion.x = static_cast<Uint16>(Roll(640));
            event.motion.y = static_cast<Uint16>(Roll(480));
            break;
    }
    SDL_PushEvent(&event);
}

// Heap bytes the program holds right now.
long HeapInUse() {
#ifdef ZEM_SOAK_UNDER_ASAN
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    struct mallinfo2 info = mallinfo2();
    return static_cast<long>(info.uordblks + info.hblkhd);
#endif
}

long ResidentBytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

void OnMainMenu() {
    if (!QueueEmpty()) {
        return;
    }
    // PreMenu selects "Play"; Up on it does nothing, so the player may dither first.
    if (Chance(1000)) {
        PushKeyDown(SDLK_UP);
    }
    const int roll = Roll(100);
    if (winding || roll < MENU_QUIT) {
        PushKeyDown(SDLK_DOWN);
        PushKeyDown(SDLK_DOWN);
        PushKeyDown(SDLK_DOWN);
    } else if (roll < MENU_QUIT + MENU_HELP) {
        PushKeyDown(SDLK_DOWN);
    }
    PushKeyDown(SDLK_RETURN);
}

// The help screen waits for Enter without a pause: the keys must be queued before it runs.
void OnHelpScreen() {
    while (Chance(3000)) {
        PushStrayEvent();
    }
    PushKeyDown(SDLK_RETURN);
}

void OnPlay() {
    SOAK_GAME.watchPlay();
    Uint8* keys = SDL_GetKeyState(nullptr);
    for (SDLKey key : SOAK_GAME.steeringKeys) {
        if (Chance(STEER_CHANGE)) {
            keys[key] = keys[key] ? 0 : 1;
        }
    }
    if (!QueueEmpty()) {
        return;
    }
    // Winding up, the player leaves through the pause screen and quits from the menu.
    if (winding) {
        PushKeyDown(SDLK_p);
    } else if (Chance(CLOSE_WINDOW)) {
        PushQuit();
    } else if (Chance(PAUSE)) {
        PushKeyDown(Roll(2) == 0 ? SDLK_p : SDLK_ESCAPE);
    } else if (Chance(STRAY_EVENT)) {
        PushStrayEvent();
    }
}

bool IsOwnScreen(State state) {
    for (State screen : SOAK_GAME.ownScreens) {
        if (state == screen) {
            return true;
        }
    }
    return false;
}

// The pause and lose screens, and the game's own, block inside their call and wait 20 ms a
// pass: the player answers during those waits.
void OnBlockingScreen() {
    const bool blocking =
        runningState == PauseState || runningState == LoseState || IsOwnScreen(runningState);
    if (!blocking || !QueueEmpty()) {
        return;
    }
    if (winding) {
        PushKeyDown(SDLK_DOWN);
        PushKeyDown(SDLK_RETURN);
    } else if (Chance(BLOCKING_STRAY)) {
        PushStrayEvent();
    } else if (Chance(BLOCKING_MOVE)) {
        PushKeyDown(Roll(2) == 0 ? SDLK_UP : SDLK_DOWN);
    } else {
        PushKeyDown(SDLK_RETURN);
    }
}

void WaitAndAnswer(Uint32 milliseconds) {
    FakeDelay(milliseconds);
    OnBlockingScreen();
}

State Top() {
    return StateStack.empty() ? nullptr : StateStack.top().statePointer;
}

void CountChange(State before, State after) {
    if (before == MenuState && after == SOAK_GAME.game->PlayState) {
        ++counts.games;
    } else if (before == MenuState && after == HelpState) {
        ++counts.helpVisits;
    } else if (before == MenuState && after == nullptr) {
        ++counts.quits;
    } else if (before == SOAK_GAME.game->PlayState && after == PauseState) {
        ++counts.pauses;
    } else if (before == SOAK_GAME.game->PlayState && after == LoseState) {
        ++counts.lostGames;
    } else if (before == SOAK_GAME.game->PlayState && IsOwnScreen(after)) {
        ++counts.ownScreens;
    } else if (before == SOAK_GAME.game->PlayState && after == nullptr) {
        ++counts.windowCloses;
    } else if (before == PauseState && after == SOAK_GAME.game->PlayState) {
        ++counts.continues;
    } else if (before == PauseState && after == MenuState) {
        ++counts.returnsToMenu;
    }
}

struct MemoryWatch {
    long firstHeap = -1;
    long lastHeap = -1;
    long firstResident = 0;
    long lastResident = 0;

    // Taken between two program starts, when the game has let go of its pictures, fonts and
    // their caches: what is still held then is what a long run would pile up.
    void Look() {
        if (counts.frames < options.checkFrom) {
            return;
        }
        lastHeap = HeapInUse();
        lastResident = ResidentBytes();
        if (firstHeap < 0) {
            firstHeap = lastHeap;
            firstResident = lastResident;
        }
    }
};

MemoryWatch memoryWatch;

// The entry function's steps, with the player looking at the screen after every pass.
bool RunSession(ScratchDir& folder) {
    ++counts.sessions;
    long sessionFrames = 0;
    SOAK_GAME.prepareFiles(folder, counts.sessions);
    if (!ZEM_StartGame(*SOAK_GAME.game)) {
        std::fprintf(stderr, "soak: the game did not start\n");
        return false;
    }
    ReleaseAllKeys();
    while (!StateStack.empty()) {
        const State before = Top();
        runningState = before;
        before();
        runningState = nullptr;
        SOAK_GAME.game->CapFrameRate();
        ++counts.frames;
        ++sessionFrames;
        winding = counts.frames >= options.frames || sessionFrames >= SESSION_FRAMES_AT_MOST;
        const State after = Top();
        CountChange(before, after);
        if (after == MenuState) {
            OnMainMenu();
        } else if (after == HelpState) {
            OnHelpScreen();
        } else if (after == SOAK_GAME.game->PlayState) {
            OnPlay();
        }
    }
    SOAK_GAME.endSession();
    ZEM_EndGame();
    memoryWatch.Look();
    return true;
}

bool ReadOptions(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--frames" && hasValue) {
            options.frames = std::atol(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            options.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--check-from" && hasValue) {
            options.checkFrom = std::atol(argv[++i]);
        } else if (arg == "--no-memory-check") {
            options.memoryCheck = false;
        } else {
            std::fprintf(stderr,
                         "usage: %s [--frames N] [--seed S] [--check-from F] "
                         "[--no-memory-check]\n",
                         argv[0]);
            return false;
        }
    }
    return options.frames > 0;
}

// Plays sessions in a private folder holding the game's files until enough frames have run.
bool PlaySessions() {
    ScratchDir folder;
    if (folder.Path().empty()) {
        return false;
    }
    folder.CopyStartupFiles();
    bool ok = true;
    while (ok && counts.frames < options.frames) {
        ok = RunSession(folder);
    }
    return ok;
}

void Report(double seconds) {
    std::printf("soak %s, seed %u: %ld frames in %.1f s (%d sessions)\n", SOAK_GAME.name,
                options.seed, counts.frames, seconds, counts.sessions);
    std::printf(
        "  %d games, %d lost, %d pauses, %d continues, %d returns to the menu, "
        "%d help visits, %d windows closed, %d quits, %d of the game's own screens; %s\n",
        counts.games, counts.lostGames, counts.pauses, counts.continues, counts.returnsToMenu,
        counts.helpVisits, counts.windowCloses, counts.quits, counts.ownScreens,
        SOAK_GAME.tally().c_str());
    if (!options.memoryCheck) {
        return;
    }
    std::printf("  heap in use from frame %ld: %ld -> %ld bytes (%+ld); resident %ld -> %ld KiB\n",
                options.checkFrom, memoryWatch.firstHeap, memoryWatch.lastHeap,
                memoryWatch.lastHeap - memoryWatch.firstHeap, memoryWatch.firstResident / 1024,
                memoryWatch.lastResident / 1024);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!ReadOptions(argc, argv)) {
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    dice.seed(options.seed);
    ZEM_SetClock(FakeTicks, WaitAndAnswer);

    const auto started = std::chrono::steady_clock::now();
    const bool ok = PlaySessions();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    ZEM_SetClock(nullptr, nullptr);

    Report(took.count());
    if (!ok) {
        return 1;
    }
    if (options.memoryCheck && counts.frames >= options.checkFrom) {
        const long growth = memoryWatch.lastHeap - memoryWatch.firstHeap;
        if (memoryWatch.firstHeap < 0) {
            std::fprintf(stderr, "soak: the heap was never measured after frame %ld\n",
                         options.checkFrom);
            return 1;
        }
        if (growth > MEMORY_SLACK_BYTES) {
            std::fprintf(stderr, "soak: the heap grew by %ld bytes (at most %ld allowed)\n", growth,
                         MEMORY_SLACK_BYTES);
            return 1;
        }
    }
    return 0;
}
