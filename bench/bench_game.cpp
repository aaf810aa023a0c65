#include "bench/bench_game.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "SDL.h"
#include "SDL_image.h"
#include "SDL_ttf.h"
#include "framework/clock.h"
#include "framework/key_press.h"
#include "framework/present.h"
#include "framework/menu.h"
#include "framework/sound.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/startup.h"
#include "shell/main_loop.h"

namespace {

const int MAP_ROWS = 8;
const int MAP_COLUMNS = 15;
const int MAX_BRICK_LIVES = 5;
const int DRIVER_NAME_SIZE = 64;

std::string scratchFolder;

// Every cell holds a brick, so each level is a full 120-brick field.
void WriteFullLevels(const std::string& fileName) {
    std::ofstream file(fileName);
    file << "Twelve full levels for measuring.\n";
    for (int level = 1; level <= BENCH_LEVEL_COUNT; ++level) {
        file << "level_" << level << "\n";
        for (int row = 0; row < MAP_ROWS; ++row) {
            for (int column = 0; column < MAP_COLUMNS; ++column) {
                file << (column > 0 ? " " : "") << 1 + (level + row + column) % MAX_BRICK_LIVES;
            }
            file << "\n";
        }
    }
}

bool MakeScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zem-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return false;
    }
    scratchFolder = pattern;
    std::filesystem::create_directory(scratchFolder + "/" + NO_LEVELS_FOLDER);
    WriteFullLevels(scratchFolder + "/levelmaps");
    return chdir(scratchFolder.c_str()) == 0;
}

void NoWait(Uint32) {
}

}  // namespace

bool StartGameForBench(const ZemGame& theGame, const std::string& gameFolder) {
    if (chdir(gameFolder.c_str()) != 0 || !ZEM_StartGame(theGame) || !MakeScratchFolder()) {
        return false;
    }
    // The sound as a plain start has it, whatever the game folder remembers.
    ZEM_SetSoundMuted(false);
    return true;
}

void StopGameForBench() {
    UseRealClock();
    ZEM_EndGame();
    EmptyStateStack();
    if (!scratchFolder.empty()) {
        std::filesystem::remove_all(scratchFolder);
        scratchFolder.clear();
    }
}

void UseNoWaitClock() {
    ZEM_SetClock(nullptr, NoWait);
}

void UseRealClock() {
    ZEM_SetClock(nullptr, nullptr);
}

std::string SdlDescription() {
    const SDL_version* sdl = SDL_Linked_Version();
    const SDL_version* image = IMG_Linked_Version();
    const SDL_version* ttf = TTF_Linked_Version();
    char driver[DRIVER_NAME_SIZE] = "none";
    SDL_VideoDriverName(driver, sizeof driver);
    auto version = [](const SDL_version* v) {
        return std::to_string(v->major) + "." + std::to_string(v->minor) + "." +
               std::to_string(v->patch);
    };
    const bool compat = ZEM_OnCompatibilityLayer();
    return "SDL " + version(sdl) + (compat ? " (compatibility layer on SDL 2)" : " (classic)") +
           ", SDL_image " + version(image) + ", SDL_ttf " + version(ttf) + ", video driver " +
           driver;
}

void SetStack(std::initializer_list<void (*)()> states) {
    while (!StateStack.empty()) {
        StateStack.pop();
    }
    for (void (*state)() : states) {
        PushState(state);
    }
}

void PushEnter() {
    ZEM_PushKeyPress(SDLK_RETURN);
}
