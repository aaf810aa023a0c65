#pragma once

#include <cstdint>

#include "SDL.h"

// The games' sound effects and the one call that plays them. Play code says what happened
// (`ZEM_PlaySound(SOUND_PADDLE)`); whether anything is heard is settled here: not while the
// sound is switched off, and not without a sound device, where the games go on silently.

enum ZemSound {
    SOUND_PADDLE,           // the ball off a paddle
    SOUND_WALL,             // the ball off a wall that sends it back
    SOUND_BRICK_HIT_1,      // the ball off a brick left with one life: the fewer lives it
    SOUND_BRICK_HIT_2,      // has left, the higher it rings
    SOUND_BRICK_HIT_3,      //
    SOUND_BRICK_HIT_4,      //
    SOUND_BRICK_DESTROYED,  // the ball knocked a brick's last life off
    SOUND_BALL_LOST,
    SOUND_LEVEL_CLEARED,
    SOUND_GAME_LOST,
    SOUND_POINT_PLAYER_ONE,  // a point for the bottom paddle
    SOUND_POINT_PLAYER_TWO,  // a point for the top paddle
    SOUND_MENU_MOVED,        // the menu's selection moved
    SOUND_OPTION_CHOSEN,
    SOUND_PAUSE_OPENED,
    SOUND_COUNT
};

// The device: mono 16-bit samples; a buffer of 512 samples lasts 11.6 ms, so an effect
// starts within about two buffers of the frame that asked for it.
const int SOUND_RATE = 44100;
const int SOUND_BUFFER_SAMPLES = 512;

// SDL_Init. The sound is started last and on its own, with the sound library's complaints
// about missing devices kept off the terminal: a machine without one plays on silently.
int ZEM_InitSdl(Uint32 flags);

// Opens the sound device and makes the effects. False when there is no device: the games
// then play on silently, and the call has printed nothing.
bool ZEM_OpenSound();
void ZEM_CloseSound();

// Plays the effect beside whatever sounds already.
void ZEM_PlaySound(ZemSound sound);

// A frame's effects as bits, bit n for effect n: what a step of the rules reports, to be
// played (or not, for a frame played again) by whoever runs the step.
using ZemSoundBits = std::uint32_t;
static_assert(SOUND_COUNT <= 32, "every effect has a bit");
constexpr ZemSoundBits SoundBit(ZemSound sound) {
    return ZemSoundBits{1} << sound;
}
// Plays each effect whose bit is set, in the order of the effects above.
void ZEM_PlaySounds(ZemSoundBits sounds);

// A frame's effects in the order they happened, the same effect as often as it happened (a
// ball breaking two bricks at once is heard twice): for rules where that counts.
struct ZemFrameSounds {
    static const int MOST = 16;  // far more than one frame of any game can set off
    int count = 0;
    ZemSound sounds[MOST] = {};
    void Add(ZemSound sound) {
        if (count < MOST) {
            sounds[count++] = sound;
        }
    }
};
void ZEM_PlaySounds(const ZemFrameSounds& sounds);

// Switched off, nothing is heard, also what was sounding; it may be switched before or
// after the device is opened.
void ZEM_SetSoundMuted(bool muted);
bool ZEM_SoundMuted();

// Told of every effect played, heard or not, as it is played; null for none.
using ZemSoundListener = void (*)(ZemSound sound);
void ZEM_SetSoundListener(ZemSoundListener listener);
