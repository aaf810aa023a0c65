#pragma once

#include <string>

// The player's settings, kept between runs in a small text file beside "hiscore": one
// "key = value" line each. A missing file, or a line that can't be read, leaves that setting
// at its default; lines of other keys are kept as they are when the file is written again.

const char* const SETTINGS_FILE = "settings";

struct Settings {
    // The window's size in multiples of the picture (1 to 4).
    int scale = 1;
    bool fullscreen = false;
};

Settings ReadSettings(const std::string& fileName);

// Replaces the file safely (a temporary file beside it, renamed over it): a crash leaves the
// old file or the new one, never a part. False when it could not be written.
bool WriteSettings(const std::string& fileName, const Settings& settings);
