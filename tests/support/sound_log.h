#pragma once

#include <vector>

#include "framework/sound.h"

// Hears every effect the games play, heard or not, while it lives; one at a time.
class SoundLog {
public:
    SoundLog();
    ~SoundLog();
    SoundLog(const SoundLog&) = delete;
    SoundLog& operator=(const SoundLog&) = delete;

    // The effects played since the last call (or since the log was made), in order.
    std::vector<ZemSound> Take();
};
