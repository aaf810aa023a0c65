#pragma once

#include <cstdint>
#include <type_traits>

#include "brixolan/constants.h"
#include "framework/sound.h"
#include "shell/controls.h"
#include "things/brick.h"
#include "things/mobile_thing.h"

// The rules of a round of brixolan as a step from one state to the next. A frame of play is:
// take the frame's event, read the paddle's controls, step, play the step's sounds and act on
// its news (the second of stillness after a lost ball, the lose and all-cleared screens),
// draw. The step draws, presents and sounds nothing, reads no clock and touches no screen on
// the state stack; it reads the level file only to load the level that comes next.
namespace brixolan {

// What a frame leaves behind that decides the frames after it while the paddle stands still
// and nothing is held: the same again means the ball goes round the same frames for ever.
struct StillFrame {
    int ballX, ballY, ballXVel, ballYVel, paddleX, score, lives, level;
    bool operator==(const StillFrame& other) const {
        return ballX == other.ballX && ballY == other.ballY && ballXVel == other.ballXVel &&
               ballYVel == other.ballYVel && paddleX == other.paddleX && score == other.score &&
               lives == other.lives && level == other.level;
    }
};

// A ball squeezed between the paddle's end and a side wall is handed back and forth between
// them every few frames; a free ball takes far longer than this to come back anywhere.
const int STILL_FRAMES_KEPT = 8;

// A level map holds at most this many bricks.
const int MOST_BRICKS = ROWS * COLS;

// Everything the rules of a frame read and change: the ball, the paddle with the velocity its
// steering and friction keep, the bricks in play with their lives (in level map order), the
// level, the balls left, the score, and the last still frames the trap detector compares.
// The bricks are held in a fixed array (a level has at most MOST_BRICKS), so that the state
// is one plain value, copied and compared whole, without an allocation per saved frame.
struct RoundState {
    MoverState ball;
    MoverState paddle;
    int brickCount;
    BrickState bricks[MOST_BRICKS];
    int level;
    int lives;
    int score;
    int stillFrameCount;
    StillFrame stillFrames[STILL_FRAMES_KEPT];
};
static_assert(std::is_trivially_copyable<RoundState>::value, "a round is saved by copying");
static_assert(std::has_unique_object_representations<RoundState>::value, "no padding bytes");

// What a frame did that the frame of play acts on beyond the state.
struct RoundNews {
    ZemFrameSounds sounds;  // in the order they happened
    int ballsLost = 0;
    // The last brick of the last level went, and play goes on at the first level again.
    bool allLevelsCleared = false;
};

// A new game on the program-wide state: level 1 loaded, score 0, every ball.
void BeginRound();

// From and to the program-wide ball, paddle, bricks, level, lives and score and the trap
// detector's frames, which the rules and the drawing use.
RoundState SaveRound();
void RestoreRound(const RoundState& state);

// One frame of the rules on the program-wide state: steering from the bottom paddle's
// controls, movement, the paddle, the bricks, the walls, a lost ball, a trapped ball served
// again, and the next level after a cleared one.
RoundNews StepRound(const PaddleControls controls[PADDLES]);

// A checksum of the state's values, the same on every machine.
std::uint32_t RoundChecksum(const RoundState& state);

}  // namespace brixolan
