#include "framework/mixer.h"

#include <algorithm>

ZemMixer::ZemMixer(int retriggerSamples)
    : retriggerSamples(static_cast<std::size_t>(std::max(retriggerSamples, 0))) {
}

bool ZemMixer::Start(const ZemSoundClip* clip) {
    if (clip == nullptr || clip->empty()) {
        return false;
    }
    Voice* freeVoice = nullptr;
    for (Voice& voice : voices) {
        if (voice.clip == clip && voice.position < retriggerSamples) {
            return false;
        }
        if (voice.clip == nullptr && freeVoice == nullptr) {
            freeVoice = &voice;
        }
    }
    if (freeVoice == nullptr) {
        return false;
    }
    freeVoice->clip = clip;
    freeVoice->position = 0;
    return true;
}

void ZemMixer::Silence() {
    for (Voice& voice : voices) {
        voice.clip = nullptr;
    }
}

int ZemMixer::VoicesSounding() const {
    return static_cast<int>(
        std::count_if(std::begin(voices), std::end(voices),
                      [](const Voice& voice) { return voice.clip != nullptr; }));
}

void ZemMixer::Mix(Sint16* out, int count) {
    for (int i = 0; i < count; ++i) {
        int sum = 0;
        for (Voice& voice : voices) {
            if (voice.clip == nullptr) {
                continue;
            }
            sum += (*voice.clip)[voice.position];
            if (++voice.position == voice.clip->size()) {
                voice.clip = nullptr;
            }
        }
        // The voices' peaks leave room for all of them; the limits only guard a louder clip.
        out[i] = static_cast<Sint16>(std::clamp(sum, -32768, 32767));
    }
}
