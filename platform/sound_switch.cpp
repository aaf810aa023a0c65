#include "platform/sound_switch.h"

#include "framework/sound.h"
#include "platform/settings.h"

namespace {

const char* const MUTE_KEY = "mute";

}  // namespace

void StartSound(bool muteThisRun) {
    const bool remembered = ReadPlayersSettings().GetFlag(MUTE_KEY, false);
    ZEM_SetSoundMuted(remembered || muteThisRun);
    ZEM_OpenSound();
}

void StopSound() {
    ZEM_CloseSound();
}

void FlipSound() {
    ZEM_SetSoundMuted(!ZEM_SoundMuted());
    // Read afresh, so that every other choice in the file stays as it is.
    Settings settings = ReadPlayersSettings();
    settings.SetFlag(MUTE_KEY, ZEM_SoundMuted());
    WritePlayersSettings(settings);
}
