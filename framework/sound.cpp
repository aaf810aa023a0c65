#include "framework/sound.h"

#include <vector>

#include "framework/mixer.h"
#include "framework/present.h"
#include "framework/quiet_stderr.h"
#include "framework/sound_bank.h"

namespace {

// The same effect asked for again this soon is heard once.
const int RETRIGGER_MS = 30;
const int MS_PER_SECOND = 1000;

// The mixer runs on SDL's sound thread: it is touched elsewhere only with the device locked.
ZemMixer mixer;
std::vector<ZemSoundClip> bank;
bool muted = false;
ZemSoundListener listener = nullptr;

void MixIntoDevice(void*, Uint8* stream, int length) {
    mixer.Mix(reinterpret_cast<Sint16*>(stream), length / static_cast<int>(sizeof(Sint16)));
}

bool DeviceOpen() {
    return !bank.empty() && SDL_GetAudioStatus() != SDL_AUDIO_STOPPED;
}

}  // namespace

int ZEM_InitSdl(Uint32 flags) {
    ZEM_ChoosePresentPath();
    if (SDL_Init(flags & ~SDL_INIT_AUDIO) == -1) {
        return -1;
    }
    if ((flags & SDL_INIT_AUDIO) != 0) {
        ZemQuietStderr quiet;
        SDL_InitSubSystem(SDL_INIT_AUDIO);
    }
    return 0;
}

bool ZEM_OpenSound() {
    ZEM_CloseSound();
    SDL_AudioSpec wanted{};
    wanted.freq = SOUND_RATE;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = SOUND_BUFFER_SAMPLES;
    wanted.callback = MixIntoDevice;
    {
        ZemQuietStderr quiet;
        // Given no record to fill in with what the device took, SDL converts to its format.
        if (SDL_OpenAudio(&wanted, nullptr) < 0) {
            return false;
        }
    }
    // The device stays paused, its thread away from the mixer, until the effects are made.
    bank = ZEM_MakeSoundBank(SOUND_RATE);
    mixer = ZemMixer(RETRIGGER_MS * SOUND_RATE / MS_PER_SECOND);
    SDL_PauseAudio(0);
    return true;
}

void ZEM_CloseSound() {
    if (SDL_GetAudioStatus() != SDL_AUDIO_STOPPED) {
        SDL_CloseAudio();
    }
    mixer.Silence();
    bank.clear();
}

void ZEM_PlaySound(ZemSound sound) {
    if (listener != nullptr) {
        listener(sound);
    }
    if (muted || !DeviceOpen() || sound < 0 || sound >= SOUND_COUNT) {
        return;
    }
    SDL_LockAudio();
    mixer.Start(&bank[sound]);
    SDL_UnlockAudio();
}

void ZEM_PlaySounds(ZemSoundBits sounds) {
    for (int sound = 0; sound < SOUND_COUNT; ++sound) {
        if ((sounds & SoundBit(static_cast<ZemSound>(sound))) != 0) {
            ZEM_PlaySound(static_cast<ZemSound>(sound));
        }
    }
}

void ZEM_PlaySounds(const ZemFrameSounds& sounds) {
    for (int played = 0; played < sounds.count; ++played) {
        ZEM_PlaySound(sounds.sounds[played]);
    }
}

void ZEM_SetSoundMuted(bool mute) {
    muted = mute;
    if (muted && DeviceOpen()) {
        SDL_LockAudio();
        mixer.Silence();
        SDL_UnlockAudio();
    }
}

bool ZEM_SoundMuted() {
    return muted;
}

void ZEM_SetSoundListener(ZemSoundListener newListener) {
    listener = newListener;
}
