#include "framework/mixer.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "framework/sound.h"
#include "framework/sound_bank.h"

namespace {

const int RETRIGGER_SAMPLES = 100;

ZemSoundClip Steady(int value, int length) {
    return ZemSoundClip(static_cast<size_t>(length), static_cast<Sint16>(value));
}

std::vector<Sint16> MixSamples(ZemMixer& mixer, int count) {
    std::vector<Sint16> out(static_cast<size_t>(count));
    mixer.Mix(out.data(), count);
    return out;
}

// Effects started at sample offsets, each as the device's buffer that holds it is mixed.
using Events = std::vector<std::pair<int, ZemSound>>;

std::vector<Sint16> MixEvents(const Events& events, int total, int buffer) {
    const std::vector<ZemSoundClip> bank = ZEM_MakeSoundBank(SOUND_RATE);
    ZemMixer mixer(RETRIGGER_SAMPLES);
    std::vector<Sint16> out(static_cast<size_t>(total));
    for (int start = 0; start < total; start += buffer) {
        for (const auto& [at, sound] : events) {
            if (at >= start && at < start + buffer) {
                mixer.Start(&bank[sound]);
            }
        }
        mixer.Mix(out.data() + start, std::min(buffer, total - start));
    }
    return out;
}

int Peak(const std::vector<Sint16>& samples) {
    int peak = 0;
    for (Sint16 sample : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

}  // namespace

TEST(Mixer, ALaterEffectSoundsBesideAnEarlierOneWithoutCuttingIt) {
    const ZemSoundClip first = Steady(100, 1000);
    const ZemSoundClip second = Steady(-30, 800);
    ZemMixer mixer;
    ASSERT_TRUE(mixer.Start(&first));
    std::vector<Sint16> out = MixSamples(mixer, 400);
    ASSERT_TRUE(mixer.Start(&second));
    const std::vector<Sint16> rest = MixSamples(mixer, 1000);
    out.insert(out.end(), rest.begin(), rest.end());

    std::vector<Sint16> expected(1400, 0);
    std::fill(expected.begin(), expected.begin() + 400, 100);
    std::fill(expected.begin() + 400, expected.begin() + 1000, 70);
    std::fill(expected.begin() + 1000, expected.begin() + 1200, -30);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(mixer.VoicesSounding(), 0) << "both effects have ended";
}

TEST(Mixer, TheSameEffectSoonAgainIsHeardOnceAndAFullMixerTurnsNewOnesAway) {
    const ZemSoundClip paddle = Steady(1, 1000);
    ZemMixer mixer(RETRIGGER_SAMPLES);
    ASSERT_TRUE(mixer.Start(&paddle));
    EXPECT_FALSE(mixer.Start(&paddle)) << "the same frame";
    MixSamples(mixer, RETRIGGER_SAMPLES - 1);
    EXPECT_FALSE(mixer.Start(&paddle)) << "inside the window";
    MixSamples(mixer, 1);
    EXPECT_TRUE(mixer.Start(&paddle)) << "past the window: a second voice";

    std::vector<ZemSoundClip> others(MIXER_VOICES, Steady(2, 1000));
    for (int i = 0; i < MIXER_VOICES - 2; ++i) {
        EXPECT_TRUE(mixer.Start(&others[i]));
    }
    EXPECT_FALSE(mixer.Start(&others[MIXER_VOICES - 2])) << "every voice busy";
    EXPECT_EQ(MixSamples(mixer, 1).front(), 1 + 1 + 2 * (MIXER_VOICES - 2))
        << "the voices already sounding go on";
    mixer.Silence();
    EXPECT_EQ(MixSamples(mixer, 1).front(), 0);
}

// A given run of effects always mixes to the same samples, whatever the buffer size; piled
// up, every voice busy, the sum is exact: never wrapped round, never cut at the limit.
TEST(Mixer, AGivenRunOfEffectsAlwaysMixesToTheSameSamplesAndNeverClips) {
    const Events events = {
        {0, SOUND_OPTION_CHOSEN},  {2048, SOUND_PADDLE},          {2048, SOUND_WALL},
        {6144, SOUND_BRICK_HIT_3}, {6656, SOUND_BRICK_DESTROYED}, {8192, SOUND_POINT_PLAYER_TWO},
        {10240, SOUND_BALL_LOST},  {10752, SOUND_GAME_LOST}};
    const std::vector<Sint16> first = MixEvents(events, SOUND_RATE, SOUND_BUFFER_SAMPLES);
    EXPECT_EQ(MixEvents(events, SOUND_RATE, SOUND_BUFFER_SAMPLES), first);
    EXPECT_EQ(MixEvents(events, SOUND_RATE, 128), first) << "whatever the buffer size";
    EXPECT_GT(Peak(first), VOICE_PEAK) << "effects sound together";
    EXPECT_LT(Peak(first), 32767);

    for (int sign : {1, -1}) {
        const std::vector<ZemSoundClip> loudest(MIXER_VOICES + 2, Steady(sign * VOICE_PEAK, 10));
        ZemMixer mixer;
        for (const ZemSoundClip& clip : loudest) {
            mixer.Start(&clip);
        }
        EXPECT_EQ(MixSamples(mixer, 10), std::vector<Sint16>(10, sign * VOICE_PEAK * MIXER_VOICES));
    }
}
