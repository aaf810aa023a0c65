#include "brixolan/sounds.h"

namespace {

// The pitches of the brick hits, from one life left to four.
const ZemSound BRICK_HITS[] = {SOUND_BRICK_HIT_1, SOUND_BRICK_HIT_2, SOUND_BRICK_HIT_3,
                               SOUND_BRICK_HIT_4};
const int PITCHED_LIVES = sizeof BRICK_HITS / sizeof BRICK_HITS[0];

}  // namespace

ZemSound BrickSound(int livesLeft, std::size_t bricksInPlay) {
    if (livesLeft <= 0) {
        return bricksInPlay == 1 ? SOUND_LEVEL_CLEARED : SOUND_BRICK_DESTROYED;
    }
    return BRICK_HITS[(livesLeft < PITCHED_LIVES ? livesLeft : PITCHED_LIVES) - 1];
}
