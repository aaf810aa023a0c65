#include "things/paddle_bounce.h"

#include <vector>

const PaddleBounce PADDLE_BOUNCES[PADDLE_BOXES] = {
    {-3, -1}, {-2, -2}, {-1, -3}, {1, -3}, {2, -2}, {3, -1},
    {-3, 1},  {-2, 2},  {-1, 3},  {1, 3},  {2, 2},  {3, 1},
};

bool BounceOffPaddle(const Paddle& paddle, Ball& ball, int baseVel) {
    std::vector<CollData> contacts;
    if (!paddle.HasCollided(ball.GetCollisionBoxes(), &contacts, nullptr)) {
        return false;
    }
    for (int box = 0; box < PADDLE_BOXES && box < static_cast<int>(contacts.size()); ++box) {
        if (contacts[box].collided) {
            ball.SetBothVel(PADDLE_BOUNCES[box].xVel * baseVel, PADDLE_BOUNCES[box].yVel * baseVel);
        }
    }
    return true;
}
