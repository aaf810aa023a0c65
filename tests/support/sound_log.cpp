#include "tests/support/sound_log.h"

#include <utility>

namespace {

std::vector<ZemSound> played;

void Hear(ZemSound sound) {
    played.push_back(sound);
}

}  // namespace

SoundLog::SoundLog() {
    played.clear();
    ZEM_SetSoundListener(Hear);
}

SoundLog::~SoundLog() {
    ZEM_SetSoundListener(nullptr);
    played.clear();
}

std::vector<ZemSound> SoundLog::Take() {
    return std::exchange(played, {});
}
