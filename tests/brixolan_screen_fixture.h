#pragma once

#include "brixolan/game.h"
#include "shell/globals.h"
#include "tests/support/game_screen.h"

// The brick game's play screen with the ball resting on the paddle at their start places, no
// bricks and 10 lives. Shared by the drawing and the wall-line tests.
class BrickScreenTest : public PlayScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlayScreenTest::SetUp());
        ZEM_UseGame(brixolan::GAME);
        myPaddle.SetBothSize(72, 20);
        myPaddle.SetBothPos(320, 440);
        theBall.SetBothSize(13, 13);
        theBall.SetBothPos(350, 428);
        brixolan::theBricks.clear();
        brixolan::lives = 10;
    }
};
