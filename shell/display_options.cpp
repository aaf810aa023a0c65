#include "shell/display_options.h"

#include <cstdio>
#include <cstring>

#include "shell/settings.h"

namespace {

const char* const SCALE_OPTION = "--scale";
const char* const SCALE_OPTION_WITH_VALUE = "--scale=";
const char* const FULL_SCREEN_OPTION = "--fullscreen";

bool ReadScale(const char* text, int& scale) {
    if (text == nullptr || std::strlen(text) != 1 || text[0] < '0' + MIN_SCALE ||
        text[0] > '0' + MAX_SCALE) {
        return false;
    }
    scale = text[0] - '0';
    return true;
}

std::string BadScale(const char* text) {
    return std::string(SCALE_OPTION) + " takes a whole number from " + std::to_string(MIN_SCALE) +
           " to " + std::to_string(MAX_SCALE) +
           (text == nullptr ? std::string(", and none was given")
                            : std::string(", not \"") + text + "\"");
}

// The player switched with F11: the next run opens the window as it is now.
void RememberWindow(bool fullScreen) {
    Settings settings = ReadSettings(SETTINGS_FILE);
    settings.scale = ChosenDisplay().scale;
    settings.fullscreen = fullScreen;
    // Not remembered is no reason to stop the game.
    WriteSettings(SETTINGS_FILE, settings);
}

}  // namespace

bool ReadDisplayOptions(int argc, char* argv[], DisplayChoice& choice, std::string& error) {
    const size_t withValueLength = std::strlen(SCALE_OPTION_WITH_VALUE);
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        const char* scaleText = nullptr;
        if (std::strcmp(argument, FULL_SCREEN_OPTION) == 0) {
            choice.fullScreen = true;
            continue;
        }
        if (std::strcmp(argument, SCALE_OPTION) == 0) {
            scaleText = i + 1 < argc ? argv[++i] : nullptr;
        } else if (std::strncmp(argument, SCALE_OPTION_WITH_VALUE, withValueLength) == 0) {
            scaleText = argument + withValueLength;
        } else {
            continue;
        }
        if (!ReadScale(scaleText, choice.scale)) {
            error = BadScale(scaleText);
            return false;
        }
    }
    return true;
}

bool ChooseDisplayFromCommandLine(int argc, char* argv[]) {
    const Settings settings = ReadSettings(SETTINGS_FILE);
    DisplayChoice choice;
    choice.scale = settings.scale;
    choice.fullScreen = settings.fullscreen;
    std::string error;
    if (!ReadDisplayOptions(argc, argv, choice, error)) {
        std::fprintf(stderr, "%s: %s\n", argc > 0 ? argv[0] : "game", error.c_str());
        return false;
    }
    ChooseDisplay(choice);
    OnFullScreenSwitched(RememberWindow);
    return true;
}
