#include "tamu/opponent.h"

#include <cstdlib>

namespace tamu {

namespace {

struct LevelTraits {
    int reactionFrames;  // how old the picture is that it acts on
    int aimError;        // how far off it may aim, each way, in pixels
    int aimSpread;       // how far from the paddle's centre it tries to take the ball
    bool predicts;       // works out the meeting point, or follows the ball
};

// At 90 frames a second: easy sees the ball a quarter of a second late, hard a twentieth.
LevelTraits Traits(OpponentLevel level) {
    switch (level) {
        case OpponentLevel::EASY:
            return {30, 44, 0, true};
        case OpponentLevel::NORMAL:
            return {16, 24, 6, true};
        case OpponentLevel::HARD:
            return {4, 8, 18, true};
        case OpponentLevel::REFERENCE:
            break;
    }
    return {18, 0, 0, false};
}

const int LONGEST_PREDICTION = 2000;
// Within this of its target it lets go, and it presses again only when the target is
// further than the second figure: no trembling in front of the ball.
const int CLOSE_ENOUGH = 4;
const int WORTH_MOVING = 10;

bool Coming(const OpponentView& view) {
    return view.facesUp ? view.ballYVel < 0 : view.ballYVel > 0;
}

// How far a paddle glides after its keys are let go: 1 less each frame until it stops.
int Glide(int speed) {
    return speed * (speed - 1) / 2;
}

}  // namespace

int OpponentDice::Spread(int range) {
    state = state * 1664525u + 1013904223u;
    if (range <= 0) {
        return 0;
    }
    return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(2 * range + 1)) - range;
}

int PredictMeetingX(const OpponentView& view) {
    int x = view.ballX;
    int y = view.ballY;
    int xVel = view.ballXVel;
    for (int step = 0; step < LONGEST_PREDICTION; ++step) {
        if (view.facesUp ? y <= view.lineY : y >= view.lineY) {
            break;
        }
        x += xVel;
        y += view.ballYVel;
        if (x < view.leftmostX || x > view.rightmostX) {
            x -= xVel;
            xVel = -xVel;
        }
    }
    return x;
}

Opponent::Opponent(OpponentLevel level, std::uint32_t seed) : level(level), dice(seed) {
}

int Opponent::TargetX(const OpponentView& seen) {
    const LevelTraits traits = Traits(level);
    const int ballCentre = seen.ballSize / 2;
    if (!Coming(seen)) {
        wasComing = false;
        // Back towards the middle while the ball is away.
        return (seen.leftmostX + seen.rightmostX + seen.ballSize) / 2;
    }
    if (!wasComing) {
        wasComing = true;
        aimOffset = dice.Spread(traits.aimError) + dice.Spread(traits.aimSpread);
    }
    if (!traits.predicts) {
        // A person runs to where the ball's straight line meets the paddle, and sees a
        // bounce off a side wall only when it comes.
        const int frames = seen.ballYVel != 0 ? (seen.lineY - seen.ballY) / seen.ballYVel : 0;
        int x = seen.ballX + seen.ballXVel * frames;
        x = x < seen.leftmostX ? seen.leftmostX : x;
        x = x > seen.rightmostX ? seen.rightmostX : x;
        return x + ballCentre;
    }
    return PredictMeetingX(seen) + ballCentre + aimOffset;
}

HeldKeys Opponent::SteerTowards(int targetCentre, const OpponentView& now) {
    // The boxes cover the paddle's first 56 of 60 columns: aim at their middle.
    const int centre = now.paddleX + (now.paddleWidth / 8 * 8) / 2;
    const int distance = targetCentre - centre;
    const int direction = distance < 0 ? -1 : 1;
    const int speedTowards = now.paddleXVel * direction;
    HeldKeys keys;
    if (std::abs(distance) <= CLOSE_ENOUGH) {
        resting = true;
        return keys;
    }
    if (resting && std::abs(distance) < WORTH_MOVING) {
        return keys;
    }
    // Let go once the glide carries it there.
    if (level != OpponentLevel::REFERENCE && speedTowards > 0 &&
        Glide(speedTowards) >= std::abs(distance)) {
        return keys;
    }
    resting = false;
    if (lastPressed != 0 && lastPressed != direction) {
        ++directionChanges;
    }
    lastPressed = direction;
    keys.left = direction < 0;
    keys.right = direction > 0;
    return keys;
}

HeldKeys Opponent::Decide(const OpponentView& view) {
    const int delay = Traits(level).reactionFrames;
    seenBefore[framesSeen % MAX_DELAY] = view;
    const int seenAt = framesSeen >= delay ? framesSeen - delay : 0;
    const OpponentView& seen = seenBefore[seenAt % MAX_DELAY];
    ++framesSeen;
    OpponentView old = seen;
    // Its own paddle it feels at once; only the ball is seen late.
    old.paddleX = view.paddleX;
    old.paddleXVel = view.paddleXVel;
    return SteerTowards(TargetX(old), view);
}

}  // namespace tamu
