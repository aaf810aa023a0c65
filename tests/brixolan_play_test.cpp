#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "brixolan/cleared_screen.h"
#include "brixolan/draw.h"
#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"
#include "tests/support/sound_log.h"

using namespace brixolan;

namespace {

// A level whose first row holds the given cells; the 0 after it leaves the rest empty.
std::string Level(int number, const std::string& firstRow) {
    return "level_" + std::to_string(number) + "\n" + firstRow + "\n0\n";
}

// The states on the stack, the bottom one first.
std::vector<void (*)()> Stack() {
    std::vector<void (*)()> states;
    for (std::stack<StateStruct> copy = StateStack; !copy.empty(); copy.pop()) {
        states.insert(states.begin(), copy.top().statePointer);
    }
    return states;
}

const Brick SPARE_BRICK(5, 580, 20, 40, 20);

using Motion = std::array<int, 4>;  // where the ball is and how it moves: x, y, xVel, yVel

// A game in play on the dummy screen: the menu under the play state, the paddle still at
// its start and a sturdy brick in the far top right corner, out of the ball's way, so that
// the level is never cleared unless a test wants it.
class PlayTest : public PlayScreenTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlayScreenTest::SetUp());
        ZEM_UseGame(GAME);
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

    static void PlaceBall(const Motion& motion) {
        theBall.SetBothPos(motion[0], motion[1]);
        theBall.SetBothVel(motion[2], motion[3]);
    }

    static void ExpectBall(const Motion& motion) {
        EXPECT_EQ(
            (Motion{theBall.GetXPos(), theBall.GetYPos(), theBall.GetXVel(), theBall.GetYVel()}),
            motion);
    }

    FakeClock clock{0};
    ScratchDir folder;
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
    // Paddle boxes (the whole table is played in the duel's tests): the highest index wins.
    {"box 3 under a ball falling straight", {}, {350, 427, 0, 2}, {350, 429, 1, -3}, {}, 0},
    {"boxes 2 and 3: box 3 wins", {}, {348, 434, 0, 2}, {348, 436, 1, -3}, {}, 0},
    {"boxes 5 and 11: box 11 wins", {}, {383, 438, 0, 2}, {383, 440, 3, 1}, {}, 0},
    // Bricks: one life a frame, and a side turns the ball only while it heads in.
    {"top box turns a rising ball", {Middle(3)}, {310, 121, 2, -2}, {312, 119, 2, 2}, {2}, 1},
    {"the last life erases", {Middle(1)}, {310, 121, 2, -2}, {312, 119, 2, 2}, {}, 1},
    {"a falling ball keeps on", {Middle(2)}, {308, 117, 2, 2}, {310, 119, 2, 2}, {1}, 1},
    {"both sides turn it twice", {Middle(4)}, {312, 96, -2, -2}, {310, 94, -2, -2}, {3}, 1},
    {"neighbours both go", {Middle(1), Middle(1, 340)}, {330, 112, 0, -2}, {330, 110, 0, 2}, {}, 2},
    // Walls: a step back by the velocity as turned so far, then the turn.
    {"right wall", {}, {604, 200, 3, -1}, {604, 200, -3, -1}, {}, 0},
    {"left and top walls at once", {}, {21, 21, -2, -2}, {19, 23, 2, 2}, {}, 0},
};

}  // namespace

TEST_F(PlayTest, OneFrameOfTheBallAmongPaddleBricksAndWalls) {
    for (const BallFrame& frame : BALL_FRAMES) {
        SCOPED_TRACE(frame.what);
        LoadLevel(1);
        theBricks = frame.bricks;
        theBricks.push_back(SPARE_BRICK);
        score = 0;
        PlaceBall(frame.before);

        PlayState();

        ExpectBall(frame.after);
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

TEST_F(PlayTest, EveryLifeKnockedOffScoresAndRaisesTheHighScoreOncePastIt) {
    theBricks.assign({Middle(5), SPARE_BRICK});
    hiScore = 2;
    const int hiScoreAfterHit[] = {2, 2, 3};
    for (int hit = 1; hit <= 3; ++hit) {
        PlaceBall({310, 121, 2, -2});
        PlayState();
        EXPECT_EQ(score, hit);
        EXPECT_EQ(hiScore, hiScoreAfterHit[hit - 1]) << "after hit " << hit;
    }
}

TEST_F(PlayTest, ThePaddleStopsAtEitherWallWithoutLosingSpeed) {
    // The key held, where the paddle was and how fast, where it stops and its speed then.
    const int cases[][5] = {{SDLK_LEFT, 22, -4, 20, -3}, {SDLK_RIGHT, 545, 4, 547, 3}};
    for (const auto& [key, x, xVel, stopX, stopXVel] : cases) {
        ReleaseAllKeys();
        HoldKey(static_cast<SDLKey>(key));
        myPaddle.SetBothPos(x, 440);
        myPaddle.SetBothVel(xVel, 0);
        PlayState();
        EXPECT_EQ(myPaddle.GetXPos(), stopX);
        EXPECT_EQ(myPaddle.GetXVel(), stopXVel);
    }
}

// The last lost ball puts the lose screen in place of play, and of a pause asked for in the
// same frame; after a quit request the program ends: no lose screen, no pop of an empty stack.
TEST_F(PlayTest, ALostBallWaitsASecondOnTheOldPictureThenRestsOnThePaddle) {
    struct Loss {
        int livesBefore;
        void (*alsoThisFrame)();
        std::vector<void (*)()> statesAfter;
    };
    const Loss losses[] = {
        {10, [] {}, {MenuState, PlayState}},
        {1, [] {}, {MenuState, LoseState}},
        {1, [] { PushKeyDown(SDLK_p); }, {MenuState, LoseState}},
        {1, PushQuit, {}},
    };
    for (const Loss& loss : losses) {
        InPlay();
        FakeClock::ClearDelays();
        lives = loss.livesBefore;
        myPaddle.SetBothPos(100, 440);
        PlaceBall({500, 446, 0, 2});
        DrawGame();
        bool oldPictureShown = false;
        FakeClock::OnDelay([&](Uint32) { oldPictureShown = ColourAt(display, 506, 452) == WHITE; });
        loss.alsoThisFrame();

        PlayState();

        FakeClock::OnDelay(nullptr);
        EXPECT_EQ(FakeClock::Delays(), std::vector<Uint32>{1000});
        EXPECT_TRUE(oldPictureShown);
        ExpectBall({130, 428, 0, -2});
        EXPECT_EQ(lives, loss.livesBefore - 1);
        EXPECT_EQ(Stack(), loss.statesAfter);
        EXPECT_EQ(ColourAt(display, 506, 452), BLACK);
        EXPECT_EQ(ColourAt(display, 136, 434), WHITE);
    }
}

TEST_F(PlayTest, ClearingALevelLoadsTheNextNumberOfTheFileAndAfterTheLastTheFirst) {
    // Out of order, with a gap at 3 and a last level 5 without bricks.
    folder.WriteFile("levelmaps", Level(4, "0 0 0 0 0 0 0 0 0 0 0 0 0 0 4") +
                                      Level(1, "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1") +
                                      Level(2, "0 0 0 0 0 0 0 3 3 0 0 0 0 0 0") +
                                      Level(5, "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"));
    lives = 7;
    score = 40;
    const struct {
        int next;
        size_t bricks;
        int firstLives;
    } steps[] = {{2, 2, 3}, {4, 1, 4}, {1, 15, 1}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.next);
        theBricks.assign(1, Middle(1));
        myPaddle.SetBothPos(100, 440);
        PlaceBall({310, 121, 2, -2});

        PlayState();

        EXPECT_EQ(level, step.next);
        ASSERT_EQ(theBricks.size(), step.bricks);
        EXPECT_EQ(theBricks[0].GetLives(), step.firstLives);
        EXPECT_EQ(myPaddle.GetXPos(), 320);
        ExpectBall({350, 428, 0, -2});
        EXPECT_EQ(lives, 7);
        // Only after the last level is the player told that every level is cleared.
        std::vector<void (*)()> states{MenuState, PlayState};
        if (step.next == 1) {
            states.push_back(AllClearedState);
        }
        EXPECT_EQ(Stack(), states);
    }
    EXPECT_EQ(score, 43);

    // The first level again, and the ball free to play it once the screen has gone.
    StateStack.pop();
    PlayState();
    ExpectBall({350, 426, 0, -2});
    EXPECT_EQ(level, 1);
}

TEST_F(PlayTest, WithoutAnyLevelPlayStaysAtTheFirstWithTheBallOnThePaddle) {
    theBricks.clear();
    for (int frame = 1; frame <= 3; ++frame) {
        PlayState();
        ExpectBall({350, 428, 0, -2});
    }
    EXPECT_EQ(level, 1);
    EXPECT_TRUE(theBricks.empty());
    EXPECT_EQ(lives, 10);
    EXPECT_EQ(Stack(), (std::vector<void (*)()>{MenuState, PlayState})) << "nothing was cleared";
}

TEST_F(PlayTest, PrePlayShowsAFreshFieldForASecondBeforePlay) {
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
    EXPECT_EQ((std::array<int, 3>{score, lives, level}), (std::array<int, 3>{0, 10, 1}));
    EXPECT_EQ(theBricks.size(), 1u);

    // The ball leaves at once, straight up.
    PlayState();
    ExpectBall({350, 426, 0, -2});
}

TEST_F(PlayTest, HeldKeysSteerThePaddleUpToItsSpeedLimit) {
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

TEST_F(PlayTest, POrEscapePausesAndAQuitRequestEndsButTheFrameStillRuns) {
    using States = std::vector<void (*)()>;
    const std::pair<void (*)(), States> cases[] = {
        {[] { PushKeyDown(SDLK_p); }, {MenuState, PlayState, PauseState}},
        {[] { PushKeyDown(SDLK_ESCAPE); }, {MenuState, PlayState, PauseState}},
        {PushQuit, {}},
    };
    for (const auto& [event, statesAfter] : cases) {
        InPlay();
        PlaceBall({200, 300, 1, -2});
        event();
        PlayState();
        EXPECT_EQ(Stack(), statesAfter);
        ExpectBall({201, 298, 1, -2});
        EXPECT_EQ(ColourAt(display, 207, 304), WHITE) << "the frame is drawn";
    }
}

TEST_F(PlayTest, OneEventIsTakenPerFrameAndOtherEventsAreDropped) {
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

// ---- Sounds ----

// What one frame is heard to do: the ball among the paddle at its start, the walls and the
// given bricks.
struct HeardFrame {
    const char* what;
    std::vector<Brick> bricks;
    Motion ball;
    int livesBefore;
    std::vector<ZemSound> heard;
};

const HeardFrame HEARD_FRAMES[] = {
    {"nothing touched", {SPARE_BRICK}, {300, 300, 1, -1}, 10, {}},
    {"the paddle", {SPARE_BRICK}, {350, 427, 0, 2}, 10, {SOUND_PADDLE}},
    {"a brick of 5 lives", {Middle(5), SPARE_BRICK}, {310, 121, 2, -2}, 10, {SOUND_BRICK_HIT_4}},
    {"a brick of 4 lives", {Middle(4), SPARE_BRICK}, {310, 121, 2, -2}, 10, {SOUND_BRICK_HIT_3}},
    {"a brick of 3 lives", {Middle(3), SPARE_BRICK}, {310, 121, 2, -2}, 10, {SOUND_BRICK_HIT_2}},
    {"a brick of 2 lives", {Middle(2), SPARE_BRICK}, {310, 121, 2, -2}, 10, {SOUND_BRICK_HIT_1}},
    {"a brick's last life",
     {Middle(1), SPARE_BRICK},
     {310, 121, 2, -2},
     10,
     {SOUND_BRICK_DESTROYED}},
    {"the level's last brick", {Middle(1)}, {310, 121, 2, -2}, 10, {SOUND_LEVEL_CLEARED}},
    {"two bricks",
     {Middle(1), Middle(1, 340), SPARE_BRICK},
     {330, 112, 0, -2},
     10,
     {SOUND_BRICK_DESTROYED, SOUND_BRICK_DESTROYED}},
    {"a wall", {SPARE_BRICK}, {604, 200, 3, -1}, 10, {SOUND_WALL}},
    {"two walls", {SPARE_BRICK}, {21, 21, -2, -2}, 10, {SOUND_WALL, SOUND_WALL}},
    {"a lost ball", {SPARE_BRICK}, {500, 446, 0, 2}, 10, {SOUND_BALL_LOST}},
    {"the last ball", {SPARE_BRICK}, {500, 446, 0, 2}, 1, {SOUND_BALL_LOST, SOUND_GAME_LOST}},
};

TEST_F(PlayTest, EachFrameIsHeardForWhatTheBallMet) {
    SoundLog sounds;
    for (const HeardFrame& frame : HEARD_FRAMES) {
        SCOPED_TRACE(frame.what);
        InPlay();
        LoadLevel(1);
        theBricks = frame.bricks;
        lives = frame.livesBefore;
        PlaceBall(frame.ball);

        PlayState();

        EXPECT_EQ(sounds.Take(), frame.heard);
    }
}

namespace {

// The paddle at rest at x, nothing held, and the ball as given: the ball's motion after each
// of the frames.
std::vector<Motion> PlayStill(int paddleX, const Motion& ball, int frames) {
    myPaddle.SetBothPos(paddleX, myPaddle.GetYPos());
    myPaddle.SetBothVel(0, 0);
    theBall.SetBothPos(ball[0], ball[1]);
    theBall.SetBothVel(ball[2], ball[3]);
    std::vector<Motion> seen;
    for (int frame = 0; frame < frames; ++frame) {
        PlayState();
        seen.push_back(
            {theBall.GetXPos(), theBall.GetYPos(), theBall.GetXVel(), theBall.GetYVel()});
    }
    return seen;
}

}  // namespace

TEST_F(PlayTest, ABallSqueezedBetweenThePaddleEndAndAWallIsServedAgainOnceItGoesRound) {
    const std::vector<Motion> seen = PlayStill(29, {22, 443, -3, -1}, 30);
    // The first rounds play by the rules: the paddle's end and the wall hand the ball back
    // and forth, every 3 frames the same.
    EXPECT_EQ(seen[0], (Motion{22, 443, 3, -1}));
    EXPECT_EQ(seen[1], (Motion{25, 442, -3, 1}));
    EXPECT_EQ(seen[2], (Motion{22, 443, -3, -1}));
    // Once round again it is served from the paddle as a new ball, and no ball is lost.
    EXPECT_EQ(seen[3], (Motion{29 + 36 - 6, 428, 0, -2}));
    EXPECT_LT(theBall.GetYPos(), 400);
    EXPECT_EQ(lives, 10);
}

TEST_F(PlayTest, ABallThatOnlyPassesThroughTheCornerPlaysByTheRules) {
    // The same corner with the paddle one pixel further from the wall: the ball climbs out.
    const std::vector<Motion> seen = PlayStill(33, {22, 443, -3, -1}, 40);
    for (const Motion& motion : seen) {
        EXPECT_NE(motion, (Motion{33 + 36 - 6, 428, 0, -2}));
    }
    EXPECT_EQ(lives, 10);
}
