#pragma once

#include <cstdint>
#include <type_traits>

#include "shell/controls.h"
#include "things/mobile_thing.h"

// The rules of the duel as a step from one state to the next. A frame of play is: take the
// frame's event, read both paddles' controls, step, play the step's sounds, draw. The step
// draws, presents and sounds nothing and reads no clock, so a duel can be put back to an
// earlier frame and played again from the same controls to the same states.
namespace tamu {

// Everything the rules of a frame read and change: the ball, both paddles (BOTTOM_PADDLE and
// TOP_PADDLE) with the velocity their steering and friction keep, and both scores. What the
// screen shows of it (the pieces under the sprites, the score lines) belongs to the drawing.
struct DuelState {
    MoverState ball;
    MoverState paddles[PADDLES];
    int scores[PADDLES];
};
static_assert(std::is_trivially_copyable<DuelState>::value, "a duel is saved by copying");
static_assert(std::has_unique_object_representations<DuelState>::value, "no padding bytes");

// The state a duel opens with: both paddles on the centre line, the ball in the middle
// heading for player one, no points.
DuelState OpeningDuel();

// From and to the program-wide ball, paddles and scores, which the rules and the drawing use.
DuelState SaveDuel();
void RestoreDuel(const DuelState& state);

// One frame of the rules on the program-wide state: steering from the controls, movement,
// the paddles, the side walls, scoring at the end walls. The frame's sounds, as bits
// (framework/sound.h: SoundBit, ZEM_PlaySounds).
std::uint32_t StepDuel(const PaddleControls controls[PADDLES]);

// A checksum of the state's values, the same on every machine.
std::uint32_t DuelChecksum(const DuelState& state);

}  // namespace tamu
