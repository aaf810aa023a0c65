#include <vector>

#include <benchmark/benchmark.h>

#include "things/ball.h"
#include "things/brick.h"
#include "things/paddle.h"

namespace {

const int BALL_SIZE = 13;
const int PADDLE_WIDTH = 72;
const int PADDLE_HEIGHT = 20;
const int BRICK_WIDTH = 40;
const int BRICK_HEIGHT = 20;
const int BRICK_ROWS = 8;
const int BRICK_COLUMNS = 15;
const int FIELD_LEFT = 20;
const int FIELD_TOP = 20;

void PlaceBall(Ball& ball, int x, int y) {
    ball.SetBothPos(x, y);
    ball.SetBothSize(BALL_SIZE, BALL_SIZE);
    ball.SetCollBoxes();
}

std::vector<Brick> FullLevel() {
    std::vector<Brick> bricks;
    for (int row = 0; row < BRICK_ROWS; ++row) {
        for (int column = 0; column < BRICK_COLUMNS; ++column) {
            const int lives = 1 + (row + column) % 5;
            bricks.emplace_back(lives, FIELD_LEFT + column * BRICK_WIDTH,
                                FIELD_TOP + row * BRICK_HEIGHT, BRICK_WIDTH, BRICK_HEIGHT);
        }
    }
    return bricks;
}

// Which of the paddle's twelve segments the ball touches, as play asks it once a frame.
void PaddleAgainstBall(benchmark::State& state) {
    Paddle paddle;
    paddle.SetBothPos(320, 440);
    paddle.SetBothSize(PADDLE_WIDTH, PADDLE_HEIGHT);
    paddle.SetCollBoxes();
    Ball ball;
    PlaceBall(ball, 350, 428);
    std::vector<CollData> segments;
    for (auto _ : state) {
        benchmark::DoNotOptimize(paddle.HasCollided(ball.GetCollisionBoxes(), &segments, nullptr));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(PaddleAgainstBall);

// One frame's sweep of the ball's four side points over a full level of 120 bricks, with
// the ball just under the lowest row so that one brick is touched.
void BallAgainstEveryBrick(benchmark::State& state) {
    std::vector<Brick> bricks = FullLevel();
    Ball ball;
    PlaceBall(ball, 200, FIELD_TOP + BRICK_ROWS * BRICK_HEIGHT - 1);
    std::vector<CollData> sides;
    for (auto _ : state) {
        int touched = 0;
        for (Brick& brick : bricks) {
            touched += ball.HasCollided(brick.GetCollisionBoxes(), &sides, nullptr) ? 1 : 0;
        }
        benchmark::DoNotOptimize(touched);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bricks.size()));
}
BENCHMARK(BallAgainstEveryBrick);

}  // namespace
