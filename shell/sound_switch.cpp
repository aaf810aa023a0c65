#include "shell/sound_switch.h"

#include <cstring>

#include "framework/sound.h"
#include "shell/settings.h"

namespace {

const char* const MUTE_OPTION = "--mute";
const char* const MUTE_KEY = "mute";

}  // namespace

bool MuteOption(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != nullptr && std::strcmp(argv[i], MUTE_OPTION) == 0) {
            return true;
        }
    }
    return false;
}

void StartSound(int argc, char* argv[]) {
    const bool remembered = Settings::Read(SETTINGS_FILE).GetFlag(MUTE_KEY, false);
    ZEM_SetSoundMuted(remembered || MuteOption(argc, argv));
    ZEM_OpenSound();
}

void StopSound() {
    ZEM_CloseSound();
}

void FlipSound() {
    ZEM_SetSoundMuted(!ZEM_SoundMuted());
    // Read afresh, so that every other choice in the file stays as it is.
    Settings settings = Settings::Read(SETTINGS_FILE);
    settings.SetFlag(MUTE_KEY, ZEM_SoundMuted());
    settings.Write(SETTINGS_FILE);
}
