// What the sound costs: mixing one device buffer with the voices that sound during play, and
// making the effects at start-up. The mixing runs on SDL's sound thread once per buffer, so
// its share of a core is the time per buffer times the buffers per second (bench/report).
#include <vector>

#include <benchmark/benchmark.h>

#include "framework/mixer.h"
#include "framework/sound.h"
#include "framework/sound_bank.h"

namespace {

const std::vector<ZemSoundClip>& Bank() {
    static const std::vector<ZemSoundClip> bank = ZEM_MakeSoundBank(SOUND_RATE);
    return bank;
}

// Mixes buffer after buffer while the given effects sound, starting them again as they end.
void MixWhileSounding(benchmark::State& state, const std::vector<ZemSound>& sounds) {
    ZemMixer mixer;
    std::vector<Sint16> buffer(SOUND_BUFFER_SAMPLES);
    for (auto _ : state) {
        if (mixer.VoicesSounding() < static_cast<int>(sounds.size())) {
            mixer.Silence();
            for (ZemSound sound : sounds) {
                mixer.Start(&Bank()[sound]);
            }
        }
        mixer.Mix(buffer.data(), SOUND_BUFFER_SAMPLES);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["buffers_per_second"] = static_cast<double>(SOUND_RATE) / SOUND_BUFFER_SAMPLES;
}

void MixSilence(benchmark::State& state) {
    MixWhileSounding(state, {});
}

// Busy play: a paddle hit, a wall and a brick at once.
void MixThreeVoices(benchmark::State& state) {
    MixWhileSounding(state, {SOUND_PADDLE, SOUND_WALL, SOUND_BRICK_HIT_2});
}

void MixEveryVoice(benchmark::State& state) {
    MixWhileSounding(
        state, {SOUND_PADDLE, SOUND_WALL, SOUND_BRICK_HIT_2, SOUND_BALL_LOST, SOUND_LEVEL_CLEARED});
}

void MakeSoundBank(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ZEM_MakeSoundBank(SOUND_RATE));
    }
}

}  // namespace

BENCHMARK(MixSilence);
BENCHMARK(MixThreeVoices);
BENCHMARK(MixEveryVoice);
BENCHMARK(MakeSoundBank)->Unit(benchmark::kMillisecond);
