#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

const std::string EMPTY_ROW = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n";

// A level whose first row holds the given cells, the rest empty.
std::string Level(int number, const std::string& firstRow) {
    std::string text = "level_" + std::to_string(number) + "\n" + firstRow + "\n";
    for (int row = 1; row < 8; ++row) {
        text += EMPTY_ROW;
    }
    return text;
}

std::vector<void (*)()> Stack() {
    std::stack<StateStruct> copy = StateStack;
    std::vector<void (*)()> states;
    while (!copy.empty()) {
        states.insert(states.begin(), copy.top().statePointer);
        copy.pop();
    }
    return states;
}

const Brick SPARE_BRICK(5, 580, 20, 40, 20);

// A game in play on the dummy screen: the menu under the play state, the paddle still at
// its start and a sturdy brick in the far top right corner, out of the ball's way, so that
// the level is never cleared unless a test wants it.
class PlayTest : public PlayScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlayScreenTest::SetUp());
        timer.Start();
        lastFrame = timer.GetTicks();
        InPlay();
        LoadLevel(1);
        theBricks.assign(1, SPARE_BRICK);
        score = 0;
        hiScore = 0;
        lives = 10;
        level = 1;
    }

    void TearDown() override {
        EmptyStateStack();
        PlayScreenTest::TearDown();
    }

    // The main menu with the game on top of it.
    static void InPlay() {
        EmptyStateStack();
        PushState(MenuState);
        PushState(PlayState);
    }

    static void PlaceBall(int x, int y, int xVel, int yVel) {
        theBall.SetBothPos(x, y);
        theBall.SetBothVel(xVel, yVel);
    }

    static void ExpectBall(int x, int y, int xVel, int yVel) {
        EXPECT_EQ(theBall.GetXPos(), x);
        EXPECT_EQ(theBall.GetYPos(), y);
        EXPECT_EQ(theBall.GetXVel(), xVel);
        EXPECT_EQ(theBall.GetYVel(), yVel);
    }

    FakeClock clock{0};
    ScratchDir folder;
};

using BallFrameTest = PlayTest;
using ScoreTest = PlayTest;
using WallTest = PlayTest;
using LivesAndLevelsTest = PlayTest;
using PlayInputTest = PlayTest;

// Where the ball is and how it moves.
struct Motion {
    int x, y, xVel, yVel;
};

// One frame of the ball among the paddle at its start, the walls and the given bricks (the
// spare brick after them): the ball's motion after it, the lives of the bricks left and the
// points scored.
struct BallFrame {
    const char* what;
    std::vector<Brick> bricks;
    Motion before;
    Motion after;
    std::vector<int> livesLeft;
    int points;
};

Brick Middle(int lives, int x = 300) {
    return Brick(lives, x, 100, 40, 20);
}

const BallFrame BALL_FRAMES[] = {
    // Paddle boxes: the upper row sends the ball up, the lower down, outer boxes flatter.
    {"box 3 under a ball falling straight", {}, {350, 427, 0, 2}, {350, 429, 1, -3}, {}, 0},
    {"box 0", {}, {314, 427, 0, 2}, {314, 429, -3, -1}, {}, 0},
    {"box 1", {}, {330, 427, 0, 2}, {330, 429, -2, -2}, {}, 0},
    {"box 2", {}, {342, 427, 0, 2}, {342, 429, -1, -3}, {}, 0},
    {"box 4", {}, {362, 427, 0, 2}, {362, 429, 2, -2}, {}, 0},
    {"box 5", {}, {380, 427, 0, 2}, {380, 429, 3, -1}, {}, 0},
    // Sunk into the lower row, the side boxes touch it too and its index is the highest.
    {"box 6", {}, {314, 442, 0, 2}, {314, 444, -3, 1}, {}, 0},
    {"box 7", {}, {330, 442, 0, 2}, {330, 444, -2, 2}, {}, 0},
    {"box 8", {}, {342, 442, 0, 2}, {342, 444, -1, 3}, {}, 0},
    {"box 9", {}, {351, 442, 0, 2}, {351, 444, 1, 3}, {}, 0},
    {"box 10", {}, {362, 442, 0, 2}, {362, 444, 2, 2}, {}, 0},
    {"box 11", {}, {380, 442, 0, 2}, {380, 444, 3, 1}, {}, 0},
    {"boxes 2 and 3: box 3 wins", {}, {348, 434, 0, 2}, {348, 436, 1, -3}, {}, 0},
    {"boxes 5 and 11: box 11 wins", {}, {383, 438, 0, 2}, {383, 440, 3, 1}, {}, 0},
    // Bricks: one life a frame, and a side turns the ball only while it heads in.
    {"top box turns a rising ball", {Middle(3)}, {310, 121, 2, -2}, {312, 119, 2, 2}, {2}, 1},
    {"the last life erases", {Middle(1)}, {310, 121, 2, -2}, {312, 119, 2, 2}, {}, 1},
    {"a falling ball keeps on", {Middle(2)}, {308, 117, 2, 2}, {310, 119, 2, 2}, {1}, 1},
    {"both sides turn it twice", {Middle(4)}, {312, 96, -2, -2}, {310, 94, -2, -2}, {3}, 1},
    {"neighbours both go", {Middle(1), Middle(1, 340)}, {330, 112, 0, -2}, {330, 110, 0, 2}, {}, 2},
    // Walls: a step back by the velocity as turned so far, then the turn.
    {"top wall", {}, {200, 22, -1, -3}, {200, 22, -1, 3}, {}, 0},
    {"left wall", {}, {22, 200, -3, 1}, {22, 200, 3, 1}, {}, 0},
    {"right wall", {}, {604, 200, 3, -1}, {604, 200, -3, -1}, {}, 0},
    {"left and top walls at once", {}, {21, 21, -2, -2}, {19, 23, 2, 2}, {}, 0},
};

}  // namespace

TEST_F(BallFrameTest, OneFrameOfTheBallAmongPaddleBricksAndWalls) {
    for (const BallFrame& frame : BALL_FRAMES) {
        SCOPED_TRACE(frame.what);
        LoadLevel(1);
        theBricks = frame.bricks;
        theBricks.push_back(SPARE_BRICK);
        score = 0;
        PlaceBall(frame.before.x, frame.before.y, frame.before.xVel, frame.before.yVel);

        PlayState();

        ExpectBall(frame.after.x, frame.after.y, frame.after.xVel, frame.after.yVel);
        std::vector<int> expectedLives = frame.livesLeft;
        expectedLives.push_back(5);
        std::vector<int> livesLeft;
        for (const Brick& brick : theBricks) {
            livesLeft.push_back(brick.GetLives());
        }
        EXPECT_EQ(livesLeft, expectedLives);
        EXPECT_EQ(score, frame.points) << "a point per life knocked off";
    }
}

TEST_F(ScoreTest, EveryLifeKnockedOffScoresAndRaisesTheHighScore) {
    theBricks.assign({Brick(5, 300, 100, 40, 20), SPARE_BRICK});
    for (int hit = 1; hit <= 3; ++hit) {
        PlaceBall(310, 121, 2, -2);
        PlayState();
        EXPECT_EQ(score, hit);
        EXPECT_EQ(hiScore, hit);
    }
    EXPECT_EQ(theBricks[0].GetLives(), 2);

    // A better high score stands.
    hiScore = 50;
    PlaceBall(310, 121, 2, -2);
    PlayState();
    EXPECT_EQ(score, 4);
    EXPECT_EQ(hiScore, 50);
}

TEST_F(WallTest, ThePaddleStopsAtEitherWallWithoutLosingSpeed) {
    HoldKey(SDLK_LEFT);
    myPaddle.SetBothPos(22, 440);
    myPaddle.SetBothVel(-4, 0);
    PlayState();
    EXPECT_EQ(myPaddle.GetXPos(), 20);
    EXPECT_EQ(myPaddle.GetXVel(), -3);
    ReleaseKey(SDLK_LEFT);

    HoldKey(SDLK_RIGHT);
    myPaddle.SetBothPos(545, 440);
    myPaddle.SetBothVel(4, 0);
    PlayState();
    EXPECT_EQ(myPaddle.GetXPos(), 547);
    EXPECT_EQ(myPaddle.GetXVel(), 3);
}

TEST_F(LivesAndLevelsTest, ALostBallWaitsASecondOnTheOldPictureThenRestsOnThePaddle) {
    myPaddle.SetBothPos(100, 440);
    PlaceBall(500, 446, 0, 2);
    DrawGame();
    bool oldPictureShown = false;
    FakeClock::OnDelay([&](Uint32) { oldPictureShown = ColourAt(display, 506, 452) == WHITE; });

    PlayState();

    EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{1000});
    EXPECT_TRUE(oldPictureShown);
    ExpectBall(130, 428, 0, -2);
    EXPECT_EQ(lives, 9);
    EXPECT_EQ(Stack(), (std::vector<void (*)()>{MenuState, PlayState}));
    EXPECT_EQ(ColourAt(display, 506, 452), BLACK);
    EXPECT_EQ(ColourAt(display, 136, 434), WHITE);
}

TEST_F(LivesAndLevelsTest, TheLastLostBallPutsTheLoseScreenInPlaceOfPlayAndOfAPause) {
    using States = std::vector<void (*)()>;
    // What else happened in that frame, and the states after it.
    const std::pair<void (*)(), States> cases[] = {
        {[] {}, {MenuState, LoseState}},
        {[] { PushKeyDown(SDLK_p); }, {MenuState, LoseState}},
        // A quit request ends the program: no lose screen, and no pop of an empty stack.
        {PushQuit, {}},
    };
    for (const auto& [alsoThisFrame, statesAfter] : cases) {
        InPlay();
        FakeClock::ClearDelays();
        lives = 1;
        PlaceBall(500, 446, 0, 2);
        alsoThisFrame();
        PlayState();
        EXPECT_EQ(lives, 0);
        EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{1000});
        EXPECT_EQ(Stack(), statesAfter);
    }
}

TEST_F(LivesAndLevelsTest, ClearingALevelLoadsTheNextAndAfterTheLastComesTheFirst) {
    folder.WriteFile("levelmaps", Level(1, "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1") +
                                      Level(2, "0 0 0 0 0 0 0 3 3 0 0 0 0 0 0"));
    lives = 7;
    score = 40;
    for (int next : {2, 1}) {
        theBricks.assign(1, Middle(1));
        myPaddle.SetBothPos(100, 440);
        PlaceBall(310, 121, 2, -2);

        PlayState();

        EXPECT_EQ(level, next);
        EXPECT_EQ(theBricks.size(), next == 2 ? 2u : 15u);
        EXPECT_EQ(theBricks[0].GetLives(), next == 2 ? 3 : 1);
        EXPECT_EQ(myPaddle.GetXPos(), 320);
        ExpectBall(350, 428, 0, -2);
        EXPECT_EQ(lives, 7);
    }
    EXPECT_EQ(score, 42);

    // The first level again, and the ball free to play it.
    PlayState();
    ExpectBall(350, 426, 0, -2);
    EXPECT_EQ(level, 1);
}

TEST_F(LivesAndLevelsTest, WithoutAnyLevelTheNumbersCountUpAndTheBallStaysOnThePaddle) {
    theBricks.clear();
    for (int frame = 1; frame <= 3; ++frame) {
        PlayState();
        EXPECT_EQ(level, 1 + frame);
        ExpectBall(350, 428, 0, -2);
        EXPECT_TRUE(theBricks.empty());
    }
    EXPECT_EQ(lives, 10);
}

TEST_F(LivesAndLevelsTest, PrePlayShowsAFreshFieldForASecondBeforePlay) {
    folder.WriteFile("levelmaps", Level(1, "0 0 0 0 0 0 0 0 0 0 0 0 0 0 2"));
    score = 12;
    lives = 0;
    level = 6;
    FakeClock::Set(4321);
    bool fieldShown = false;
    FakeClock::OnDelay([&](Uint32) {
        // The paddle, the ball on it and the new brick, over the black field.
        fieldShown = ColourAt(display, 330, 450) == WHITE && ColourAt(display, 356, 434) == WHITE &&
                     ColourAt(display, 600, 30) == (Rgb{100, 0, 200}) &&
                     ColourAt(display, 320, 300) == BLACK;
    });

    PrePlay();

    EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{1000});
    EXPECT_TRUE(fieldShown);
    EXPECT_EQ(lastFrame, 4321u);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(lives, 10);
    EXPECT_EQ(level, 1);
    ASSERT_EQ(theBricks.size(), 1u);
    EXPECT_EQ(myPaddle.GetXPos(), 320);

    // The ball leaves at once, straight up.
    PlayState();
    ExpectBall(350, 426, 0, -2);
    PlayState();
    ExpectBall(350, 424, 0, -2);
}

TEST_F(PlayInputTest, HeldKeysSteerThePaddleUpToItsSpeedLimit) {
    HoldKey(SDLK_RIGHT);
    std::vector<int> steps;
    for (int frame = 0; frame < 5; ++frame) {
        const int before = myPaddle.GetXPos();
        PlayState();
        steps.push_back(myPaddle.GetXPos() - before);
    }
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 3, 3}));

    // Both keys: only friction acts.
    HoldKey(SDLK_LEFT);
    PlayState();
    EXPECT_EQ(myPaddle.GetXVel(), 2);
    ReleaseAllKeys();
    PlayState();
    PlayState();
    EXPECT_EQ(myPaddle.GetXVel(), 0);
}

TEST_F(PlayInputTest, POrEscapePushesThePauseScreenAndTheFrameStillRuns) {
    for (SDLKey key : {SDLK_p, SDLK_ESCAPE}) {
        PlaceBall(200, 300, 1, -2);
        PushKeyDown(key);
        PlayState();
        EXPECT_EQ(Stack(), (std::vector<void (*)()>{MenuState, PlayState, PauseState}));
        ExpectBall(201, 298, 1, -2);
        StateStack.pop();
    }
}

TEST_F(PlayInputTest, AQuitRequestEmptiesTheStackAndTheFrameStillRuns) {
    PlaceBall(200, 300, 1, -2);
    PushQuit();
    PlayState();
    EXPECT_TRUE(StateStack.empty());
    ExpectBall(201, 298, 1, -2);
    EXPECT_EQ(ColourAt(display, 207, 304), WHITE);
}

TEST_F(PlayInputTest, OneEventIsTakenPerFrameAndOtherEventsAreDropped) {
    PushMouseMotion();
    PushKeyDown(SDLK_a);
    PushKeyDown(SDLK_p);
    PlayState();
    PlayState();
    EXPECT_EQ(Stack(), (std::vector<void (*)()>{MenuState, PlayState}));
    EXPECT_EQ(PendingEvents(), 1);
    PlayState();
    EXPECT_EQ(Stack(), (std::vector<void (*)()>{MenuState, PlayState, PauseState}));
}
