#include "platform/display_options.h"

#include <cstring>

#include "platform/settings.h"

namespace {

const char* const SCALE_KEY = "scale";
const char* const FULL_SCREEN_KEY = "fullscreen";
const char* const YES = "yes";
const char* const NO = "no";

// The player switched with F11: the next run opens the window as it is now.
void RememberSwitch(bool fullScreen) {
    DisplayChoice shown = ChosenDisplay();
    shown.fullScreen = fullScreen;
    // Not remembered is no reason to stop the game.
    RememberDisplay(shown);
}

}  // namespace

int ReadScale(const char* text) {
    if (text == nullptr || std::strlen(text) != 1 || text[0] < '0' + MIN_SCALE ||
        text[0] > '0' + MAX_SCALE) {
        return 0;
    }
    return text[0] - '0';
}

std::string BadScale(const char* text) {
    return "--scale takes a whole number from " + std::to_string(MIN_SCALE) + " to " +
           std::to_string(MAX_SCALE) +
           (text == nullptr ? std::string(", and none was given")
                            : std::string(", not \"") + text + "\"");
}

DisplayChoice RememberedDisplay() {
    const Settings settings = ReadPlayersSettings();
    DisplayChoice choice;
    const int scale = ReadScale(settings.Get(SCALE_KEY, "").c_str());
    if (scale != 0) {
        choice.scale = scale;
    }
    choice.fullScreen = settings.Get(FULL_SCREEN_KEY, NO) == YES;
    return choice;
}

bool RememberDisplay(const DisplayChoice& choice) {
    Settings settings = ReadPlayersSettings();
    settings.Set(SCALE_KEY, std::to_string(choice.scale));
    settings.Set(FULL_SCREEN_KEY, choice.fullScreen ? YES : NO);
    return WritePlayersSettings(settings);
}

void ChooseDisplayForThisRun(int scaleOption, bool fullScreenOption) {
    DisplayChoice choice = RememberedDisplay();
    if (scaleOption != 0) {
        choice.scale = scaleOption;
    }
    choice.fullScreen = choice.fullScreen || fullScreenOption;
    ChooseDisplay(choice);
    OnFullScreenSwitched(RememberSwitch);
}
