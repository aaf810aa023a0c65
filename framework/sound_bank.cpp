#include "framework/sound_bank.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "framework/sound.h"

namespace {

// A triangle is a sine with a little edge to it: brighter for hits, still soft to the ear.
enum class Wave { SINE, TRIANGLE };

// One note, gliding from one pitch to another.
struct Note {
    double fromHz;
    double toHz;
    int ms;
};

// An effect: its notes one after another, each with its own swell and fade. A plain table,
// ready before any code runs, so effects can be made at any time.
const int MOST_NOTES = 4;
struct Recipe {
    Wave wave;
    double volume;           // share of the loudest a voice may be
    Note notes[MOST_NOTES];  // the unused ones last, of 0 ms
};

// The notes of the scale the effects are made of, in Hz.
const double G3 = 196.0;
const double F3 = 174.6;
const double C3 = 130.8;
const double C4 = 261.6;
const double E4 = 329.6;
const double G4 = 392.0;
const double A4 = 440.0;
const double B4 = 493.9;
const double C5 = 523.3;
const double D5 = 587.3;
const double DS5 = 622.3;
const double E5 = 659.3;
const double F5 = 698.5;
const double FS5 = 740.0;
const double G5 = 784.0;
const double A5 = 880.0;
const double B5 = 987.8;
const double C6 = 1046.5;
const double D6 = 1174.7;
const double C7 = 2093.0;

// In the order of ZemSound. The sounds heard every second of play (paddle, wall, bricks) are
// the shortest and softest; the rarer moments have a little tune.
const Recipe RECIPES[SOUND_COUNT] = {
    {Wave::TRIANGLE, 0.9, {{G4, G4, 70}}},  // paddle
    {Wave::SINE, 0.6, {{G3, F3, 45}}},      // wall
    {Wave::TRIANGLE, 0.7, {{C6, C6, 60}}},  // brick, 1 life left
    {Wave::TRIANGLE, 0.7, {{A5, A5, 60}}},  // 2 lives left
    {Wave::TRIANGLE, 0.7, {{F5, F5, 60}}},  // 3 lives left
    {Wave::TRIANGLE, 0.7, {{D5, D5, 60}}},  // 4 lives left
    {Wave::TRIANGLE, 0.7, {{C6, C7, 90}}},  // brick destroyed
    {Wave::SINE, 1.0, {{C5, C3, 450}}},     // ball lost
    {Wave::TRIANGLE, 0.8, {{C5, C5, 90}, {E5, E5, 90}, {G5, G5, 90}, {C6, C6, 260}}},  // cleared
    {Wave::TRIANGLE, 0.8, {{G4, G4, 180}, {E4, E4, 180}, {C4, G3, 500}}},              // game lost
    {Wave::TRIANGLE, 0.8, {{E5, E5, 90}, {B5, B5, 220}}},                // point, player one
    {Wave::SINE, 0.9, {{B4, B4, 70}, {DS5, DS5, 70}, {FS5, FS5, 220}}},  // point, player two
    {Wave::SINE, 0.35, {{D6, D6, 30}}},                                  // menu selection moved
    {Wave::TRIANGLE, 0.6, {{G5, G5, 50}, {D6, D6, 90}}},                 // option chosen
    {Wave::SINE, 0.6, {{A5, A5, 70}, {D5, D5, 140}}},                    // pause opened
};

const double TWO_PI = 6.283185307179586;
const int ATTACK_MS = 3;  // quick enough to sound like a hit, slow enough not to click
const int MS_PER_SECOND = 1000;

double WaveAt(Wave wave, double phase) {
    if (wave == Wave::SINE) {
        return std::sin(phase);
    }
    const double cycle = phase / TWO_PI - std::floor(phase / TWO_PI);
    return 1.0 - 4.0 * std::abs(cycle - 0.5);
}

// Swells over the attack, then fades to silence at the note's last sample.
double Envelope(int sample, int length, int attack) {
    const double swell = std::min(1.0, static_cast<double>(sample) / attack);
    const double left = 1.0 - static_cast<double>(sample) / length;
    return swell * left * left;
}

void AddNote(ZemSoundClip& clip, const Recipe& recipe, const Note& note, int rate) {
    const int length = note.ms * rate / MS_PER_SECOND;
    const int attack = std::max(1, ATTACK_MS * rate / MS_PER_SECOND);
    double phase = 0;
    for (int sample = 0; sample < length; ++sample) {
        // The pitch glides evenly on the ear's scale, not in Hz.
        const double hz =
            note.fromHz * std::pow(note.toHz / note.fromHz, static_cast<double>(sample) / length);
        const double level = VOICE_PEAK * recipe.volume * Envelope(sample, length, attack);
        clip.push_back(static_cast<Sint16>(std::lround(level * WaveAt(recipe.wave, phase))));
        phase += TWO_PI * hz / rate;
    }
}

}  // namespace

std::vector<ZemSoundClip> ZEM_MakeSoundBank(int rate) {
    std::vector<ZemSoundClip> bank;
    for (const Recipe& recipe : RECIPES) {
        ZemSoundClip clip;
        for (const Note& note : recipe.notes) {
            if (note.ms > 0) {
                AddNote(clip, recipe, note, rate);
            }
        }
        bank.push_back(std::move(clip));
    }
    return bank;
}
