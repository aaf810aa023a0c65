#pragma once

#include <cstdint>

// A computer player for one paddle. It sees what the screen shows (the ball and which way it
// moves, its own paddle, the side walls) and decides each frame which steering keys it holds,
// so it is bound by the same speed limit, steps and friction as a person.
namespace tamu {

enum class OpponentLevel { EASY, NORMAL, HARD, REFERENCE };

// What one frame shows the player. Positions are top-left corners in screen pixels.
struct OpponentView {
    int ballX, ballY, ballXVel, ballYVel, ballSize;
    int paddleX, paddleXVel, paddleWidth;
    int lineY;      // where the ball's top-left y stands when it meets this paddle
    bool facesUp;   // true for the top paddle: the ball comes towards it moving up
    int leftmostX;  // the ball's x range between the side walls
    int rightmostX;
};

struct HeldKeys {
    bool left = false;
    bool right = false;
};

// A small whole-number generator, the same on every machine, seeded per duel.
class OpponentDice {
public:
    explicit OpponentDice(std::uint32_t seed) : state(seed * 2654435761u + 1u) {}
    // A number from -range to range.
    int Spread(int range);

private:
    std::uint32_t state;
};

class Opponent {
public:
    Opponent(OpponentLevel level, std::uint32_t seed);
    HeldKeys Decide(const OpponentView& view);
    int DirectionChanges() const { return directionChanges; }

private:
    static const int MAX_DELAY = 32;
    int TargetX(const OpponentView& seen);
    HeldKeys SteerTowards(int targetCentre, const OpponentView& now);

    OpponentLevel level;
    OpponentDice dice;
    OpponentView seenBefore[MAX_DELAY] = {};
    int framesSeen = 0;
    bool wasComing = false;
    int aimOffset = 0;  // where on the paddle this ball is to be taken, from the centre
    int lastPressed = 0;
    bool resting = true;
    int directionChanges = 0;
};

// Where the ball's x will be when it reaches the paddle's line, off the side walls as the
// game bounces it (stepped back, then its x velocity turned round).
int PredictMeetingX(const OpponentView& view);

}  // namespace tamu
