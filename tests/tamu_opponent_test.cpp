#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tamu/opponent.h"
#include "things/paddle.h"

using namespace tamu;

namespace {

// The top paddle's view in the duel's field, the ball coming up.
OpponentView TopView(int ballX, int ballY, int xVel, int yVel, int paddleX) {
    return OpponentView{ballX, ballY, xVel, yVel, 10, paddleX, 0, 60, 57, true, 14, 615};
}

// Plays one approach: the ball flies as the game moves it (off the side walls), the paddle is
// steered only by the held keys, with the game's steps and friction. The paddle's left edge
// when the ball reaches its line, and the key turns made.
struct Approach {
    int paddleX;
    int meetingX;
    int turns;
};

Approach Play(OpponentLevel level, unsigned seed, OpponentView view) {
    Paddle::speedLimit = 8;
    Paddle paddle;
    paddle.SetBothPos(view.paddleX, 40);
    paddle.SetBothVel(0, 0);
    Opponent computer(level, seed);
    const int meetingX = PredictMeetingX(view);
    for (int frame = 0; frame < 400 && view.ballY > view.lineY; ++frame) {
        view.paddleX = paddle.GetXPos();
        view.paddleXVel = paddle.GetXVel();
        const HeldKeys keys = computer.Decide(view);
        if (keys.left) {
            paddle.Left();
        }
        if (keys.right) {
            paddle.Right();
        }
        paddle.Friction();
        paddle.UpdateLocation();
        view.ballX += view.ballXVel;
        view.ballY += view.ballYVel;
        if (view.ballX < view.leftmostX || view.ballX > view.rightmostX) {
            view.ballX -= view.ballXVel;
            view.ballXVel = -view.ballXVel;
        }
    }
    return {paddle.GetXPos(), meetingX, computer.DirectionChanges()};
}

}  // namespace

TEST(Opponent, PredictsTheMeetingPointOffTheSideWalls) {
    const struct {
        OpponentView view;
        int meetingX;
    } rows[] = {
        {TopView(300, 257, 0, -2, 0), 300},   // straight up
        {TopView(300, 257, 2, -2, 0), 500},   // 100 frames, no wall
        {TopView(300, 257, 6, -2, 0), 330},   // off the right wall: the bounce frame stands still
        {TopView(100, 257, -4, -4, 0), 128},  // off the left wall
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PredictMeetingX(row.view), row.meetingX) << row.view.ballXVel;
    }
}

// Hard takes every ball it can reach in time, and comes to rest under it without trembling.
TEST(Opponent, HardReachesTheBallAndRestsWithoutJitter) {
    const OpponentView views[] = {TopView(300, 257, 6, -2, 320), TopView(100, 257, -4, -4, 300),
                                  TopView(500, 257, 2, -6, 350)};
    for (const OpponentView& view : views) {
        for (unsigned seed = 1; seed <= 5; ++seed) {
            const Approach approach = Play(OpponentLevel::HARD, seed, view);
            const int ballCentre = approach.meetingX + 5;
            EXPECT_GE(ballCentre, approach.paddleX) << seed;
            EXPECT_LT(ballCentre, approach.paddleX + 56) << seed;
            EXPECT_LE(approach.turns, 1) << seed;
        }
    }
}

// The same seed gives the same play; the seed is all the randomness there is.
TEST(Opponent, TheSeedDecidesEverything) {
    const OpponentView view = TopView(300, 257, 6, -2, 320);
    EXPECT_EQ(Play(OpponentLevel::EASY, 7, view).paddleX,
              Play(OpponentLevel::EASY, 7, view).paddleX);
    std::vector<int> ends;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        ends.push_back(Play(OpponentLevel::EASY, seed, view).paddleX);
    }
    EXPECT_NE(std::count(ends.begin(), ends.end(), ends[0]), 8);
}
