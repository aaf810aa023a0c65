#include "platform/startup_checks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SDL_image.h"
#include "framework/surface.h"
#include "platform/report.h"
#include "platform/display.h"

namespace {

const char* const VIDEO_DRIVER_SETTING = "SDL_VIDEODRIVER";
const char* const DISPLAY_SETTING = "DISPLAY";
const char* const X_DRIVER = "x11";

bool videoDriverChosen = false;
std::string firstLoadFailure;

std::string Setting(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

void NoteLoadFailure(const char* fileName, const std::string& why) {
    if (firstLoadFailure.empty()) {
        firstLoadFailure = std::string("cannot load ") + fileName + ": " + why;
    }
}

}  // namespace

bool ChooseVideoDriver() {
    videoDriverChosen = false;
    if (!Setting(VIDEO_DRIVER_SETTING).empty()) {
        return true;
    }
    if (Setting(DISPLAY_SETTING).empty()) {
        Report("cannot open a window: no graphical display (DISPLAY is not set)");
        return false;
    }
    setenv(VIDEO_DRIVER_SETTING, X_DRIVER, 1);
    videoDriverChosen = true;
    return true;
}

void ReportSdlStartFailure() {
    Report(std::string("cannot start SDL: ") + SDL_GetError());
}

void ReportVideoStartFailure() {
    if (videoDriverChosen) {
        Report("cannot open the X display \"" + Setting(DISPLAY_SETTING) + "\"");
    } else {
        Report("cannot start the video driver \"" + Setting(VIDEO_DRIVER_SETTING) +
               "\": " + SDL_GetError());
    }
}

void ReportWindowFailure() {
    Report("cannot open a " + std::to_string(SCREEN_WIDTH) + "x" + std::to_string(SCREEN_HEIGHT) +
           " window: " + SDL_GetError());
}

void ReportFontLibraryFailure() {
    Report(std::string("cannot start the font library: ") + TTF_GetError());
}

namespace {

// Whether the file is an ordinary file this user may read; else says so after `lead`.
bool ReadableOrSay(const std::string& lead, const char* fileName) {
    struct stat status;
    int error = 0;
    if (stat(fileName, &status) != 0) {
        error = errno;
    } else if (S_ISDIR(status.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(status.st_mode)) {
        Report(lead + fileName + ": not an ordinary file");
        return false;
    } else {
        const int fd = open(fileName, O_RDONLY | O_CLOEXEC);
        error = fd < 0 ? errno : 0;
        if (fd >= 0) {
            close(fd);
        }
    }
    if (error != 0) {
        Report(lead + fileName + ": " + std::strerror(error));
    }
    return error == 0;
}

}  // namespace

bool StartupFileReadable(const char* fileName) {
    return ReadableOrSay("cannot load ", fileName);
}

bool LevelSetReadable(const char* fileName) {
    return ReadableOrSay("cannot read the level set ", fileName);
}

SDL_Surface* LoadStartupPicture(const char* fileName) {
    SDL_Surface* picture = ZEM_LoadImage(fileName);
    if (picture == nullptr) {
        NoteLoadFailure(fileName, IMG_GetError());
    }
    return picture;
}

TTF_Font* OpenStartupFont(const char* fileName, int points) {
    TTF_Font* font = TTF_OpenFont(fileName, points);
    if (font == nullptr) {
        NoteLoadFailure(fileName, TTF_GetError());
    }
    return font;
}

void ReportLoadFailure() {
    Report(firstLoadFailure);
    firstLoadFailure.clear();
}
