#pragma once

#include <vector>

#include "framework/mixer.h"

// Every effect of ZemSound (framework/sound.h), synthesised at the given rate, in the enum's
// order: short tones that rise and die away, no sample files. Each starts and ends at
// silence, so none clicks, and none is louder than a voice may be.
std::vector<ZemSoundClip> ZEM_MakeSoundBank(int rate);
