#pragma once

#include <cstddef>
#include <vector>

#include "SDL.h"

// A sound effect as mono 16-bit samples at the sound device's rate.
using ZemSoundClip = std::vector<Sint16>;

// How many effects can sound at once, and the loudest sample an effect may hold: together
// they can never pass the 16-bit limit, so mixing never clips, however the effects pile up.
const int MIXER_VOICES = 5;
const int VOICE_PEAK = 32767 / MIXER_VOICES;

// Mixes the effects that are sounding into the device's buffer. A new effect takes a free
// voice beside the others: it never cuts one off.
class ZemMixer {
public:
    // An effect started again within `retriggerSamples` of its last start is not doubled: a
    // ball that stays in touch with a paddle for two frames is heard once.
    explicit ZemMixer(int retriggerSamples = 0);

    // False when the effect was not started: just started already, or every voice busy. The
    // clip must outlive its voice.
    bool Start(const ZemSoundClip* clip);
    // Stops every voice at once.
    void Silence();
    int VoicesSounding() const;

    // Writes the next `count` samples: the sum of every sounding voice, silence without one.
    void Mix(Sint16* out, int count);

private:
    struct Voice {
        const ZemSoundClip* clip = nullptr;
        std::size_t position = 0;
    };
    Voice voices[MIXER_VOICES];
    std::size_t retriggerSamples;
};
