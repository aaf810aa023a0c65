#include "framework/sound_bank.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "framework/sound.h"

namespace {

const std::vector<ZemSoundClip> BANK = ZEM_MakeSoundBank(SOUND_RATE);

// Sign changes per second: the higher the pitch, the more.
double Crossings(const ZemSoundClip& clip) {
    int count = 0;
    for (size_t i = 1; i < clip.size(); ++i) {
        count += (clip[i - 1] < 0) != (clip[i] < 0) ? 1 : 0;
    }
    return count * static_cast<double>(SOUND_RATE) / static_cast<double>(clip.size());
}

}  // namespace

TEST(SoundBank, EveryEffectIsShortAudibleUnderAVoicesPeakAndStartsAndEndsInSilence) {
    ASSERT_EQ(BANK.size(), static_cast<size_t>(SOUND_COUNT));
    for (int sound = 0; sound < SOUND_COUNT; ++sound) {
        SCOPED_TRACE(sound);
        const ZemSoundClip& clip = BANK[sound];
        ASSERT_FALSE(clip.empty());
        EXPECT_LE(clip.size(), static_cast<size_t>(SOUND_RATE * 1.2));
        int peak = 0;
        for (Sint16 sample : clip) {
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        EXPECT_LE(peak, VOICE_PEAK);
        EXPECT_GT(peak, VOICE_PEAK / 4);
        EXPECT_EQ(clip.front(), 0);
        EXPECT_LT(std::abs(clip.back()), VOICE_PEAK / 100);
    }
}

TEST(SoundBank, BrickHitsRingHigherTheFewerLivesAreLeftAndNoTwoEffectsSoundAlike) {
    EXPECT_GT(Crossings(BANK[SOUND_BRICK_HIT_1]), Crossings(BANK[SOUND_BRICK_HIT_2]));
    EXPECT_GT(Crossings(BANK[SOUND_BRICK_HIT_2]), Crossings(BANK[SOUND_BRICK_HIT_3]));
    EXPECT_GT(Crossings(BANK[SOUND_BRICK_HIT_3]), Crossings(BANK[SOUND_BRICK_HIT_4]));
    for (int a = 0; a < SOUND_COUNT; ++a) {
        for (int b = a + 1; b < SOUND_COUNT; ++b) {
            EXPECT_NE(BANK[a], BANK[b]) << "effects " << a << " and " << b;
        }
    }
}
