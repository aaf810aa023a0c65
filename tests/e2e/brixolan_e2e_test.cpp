// The brick game seen from outside, on level maps of the tests' own: the play screen's
// walls, bricks, ball, paddle and text lines, steering with the keys and with a real pointer,
// lost balls, points and the high score, pause, continue and return to the menu, closing the
// window during play, and the screen after the last level.

#include <cstdlib>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/harness.h"
#include "tests/e2e/play_screen.h"
#include "tests/support/scratch_dir.h"

namespace {

// By lives, 1 to 5.
const Rgb BRICK_COLOURS[] = {
    {0, 0, 150}, {100, 0, 200}, {150, 0, 150}, {200, 0, 100}, {255, 0, 50}};

const Rgb CLEARED_GOLD{230, 190, 30};

const int WALL = 20;
const int TOP_WALL_Y = 0;
const int BOTTOM_WALL_Y = 459;
const int RIGHT_WALL_X = 619;
const int BRICK_PIXELS = 40 * 20;
const int BALL = 13;
const int PADDLE_W = 72;
const int PADDLE_Y = 440;
// The paddle's rows above the bottom wall; its last row is the wall's first.
const int PADDLE_ROWS = 19;
const int START_X = 320;
const int LEFT_STOP = 20;
const int RIGHT_STOP = 547;

// Inside the four walls.
const Area FIELD{WALL, WALL, RIGHT_WALL_X - WALL, BOTTOM_WALL_Y - WALL};
// The field above the paddle's rows, where only the ball is white.
const Area ABOVE_PADDLE{WALL, WALL, RIGHT_WALL_X - WALL, PADDLE_Y - WALL};

const std::string EMPTY_ROW = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n";

// Level 1 of the tests' own: the given rows from the top, the rest empty.
std::string LevelOne(const std::vector<std::string>& rows) {
    std::string text = "level_1\n";
    for (size_t row = 0; row < 8; ++row) {
        text += row < rows.size() ? rows[row] + "\n" : EMPTY_ROW;
    }
    return text;
}

// One brick of each strength in the top right corner, the last reaching over the right
// wall's first column, and nothing in the columns the ball rises through from the paddle's
// start or from the left wall.
const std::string CORNER_BRICKS = LevelOne({"0 0 0 0 0 0 0 0 0 0 1 2 3 4 5"});

WallLine LivesLine(int lives) {
    return WallLine("Lives: " + std::to_string(lives), BOTTOM_WALL_Y, WALL);
}

WallLine TopLine(int level, int score, int hiScore) {
    return WallLine("Level: " + std::to_string(level) + "   ---   Score: " + std::to_string(score) +
                        "   ---   High Score: " + std::to_string(hiScore),
                    TOP_WALL_Y, WALL);
}

// The paddle fills its rectangle and nothing else in its rows is white.
bool PaddleAt(const Screenshot& shot, int x) {
    const int pixels = PADDLE_W * PADDLE_ROWS;
    return shot.Count(WHITE, Area{x, PADDLE_Y, PADDLE_W, PADDLE_ROWS}) == pixels &&
           shot.Count(WHITE, Area{WALL, PADDLE_Y, RIGHT_WALL_X - WALL, PADDLE_ROWS}) == pixels;
}

// The paddle's left column when its rows show it whole and nothing else, else -1.
int PaddleLeft(const Screenshot& shot) {
    const Area rows{WALL, PADDLE_Y, RIGHT_WALL_X - WALL, PADDLE_ROWS};
    const Area paddle = shot.Bounds(WHITE, rows);
    return paddle.w == PADDLE_W && shot.Count(WHITE, rows) == PADDLE_W * PADDLE_ROWS ? paddle.x
                                                                                     : -1;
}

// The ball, whole, clear of the paddle, with its left edge in this column (-1: any).
bool BallAbovePaddle(const Screenshot& shot, int x = -1) {
    const Area ball = shot.Bounds(WHITE, ABOVE_PADDLE);
    return ball.w == BALL && ball.h == BALL && shot.Count(WHITE, ABOVE_PADDLE) == BALL * BALL &&
           (x < 0 || ball.x == x);
}

TEST(BrixolanEndToEnd, PlayScreenSteeringALostBallAndClosingTheWindow) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    dir.WriteFile("levelmaps", CORNER_BRICKS);
    dir.WriteFile("hiscore", "42");
    GameProcess game(GameFile("brixolan"), dir.Path());
    StartPlay(game);

    const WallLine tenLives = LivesLine(10);
    const WallLine noScore = TopLine(1, 0, 42);
    Screenshot opening = game.WaitUntil("the opening play screen", [&](const Screenshot& shot) {
        return PaddleAt(shot, START_X) && BallAbovePaddle(shot, 350) && tenLives.ShownIn(shot) &&
               noScore.ShownIn(shot);
    });
    for (int lives = 1; lives <= 5; ++lives) {
        const Area brick{20 + 40 * (9 + lives), 20, 40, 20};
        EXPECT_EQ(opening.Count(BRICK_COLOURS[lives - 1], brick), BRICK_PIXELS) << lives;
    }
    EXPECT_EQ(opening.Count(WHITE, Area{0, 0, WALL, 479}), WALL * 479) << "left wall";
    // The strongest brick covers the right wall's first column beside it.
    EXPECT_EQ(opening.Count(WHITE, Area{RIGHT_WALL_X, 0, WALL, 479}), WALL * 479 - 20);
    // The window's last column and row lie outside every wall.
    EXPECT_EQ(opening.Count(BLACK, Area{639, 0, 1, 480}), 480);
    EXPECT_EQ(opening.Count(BLACK, Area{0, 479, 640, 1}), 640);
    // Inside the walls: black but for the ball, the paddle and the bricks.
    const int whites = BALL * BALL + PADDLE_W * PADDLE_ROWS;
    const int brickPixelsInField = 5 * BRICK_PIXELS - 20;
    EXPECT_EQ(opening.Count(WHITE, FIELD), whites);
    EXPECT_EQ(opening.Count(BLACK, FIELD), FIELD.w * FIELD.h - whites - brickPixelsInField);

    // Once the game runs the caption tells the frame rate.
    const std::regex rateCaption("Now running at [0-9]+ frames per second\\.");
    game.WaitUntil("the frame rate in the caption", [&](const Screenshot&) {
        return std::regex_match(game.Caption(), rateCaption);
    });

    // Left steers the paddle to the wall while the ball is still high; the ball then falls
    // past it and the next one rests on the paddle where it stands.
    game.KeyDown("Left");
    game.WaitUntil("the paddle at the left wall",
                   [](const Screenshot& shot) { return PaddleAt(shot, LEFT_STOP); });
    const WallLine nineLives = LivesLine(9);
    game.WaitUntil("a lost ball", [&](const Screenshot& shot) {
        return nineLives.ShownIn(shot) && BallAbovePaddle(shot, LEFT_STOP + 36 - 6) &&
               PaddleAt(shot, LEFT_STOP);
    });
    game.KeyUp("Left");

    game.RequestClose();
    EXPECT_EQ(game.WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "42");
}

// A real pointer moved over the window steers the paddle until its centre lies within the
// dead band (3 pixels) of the pointer, one way and then the other.
TEST(BrixolanEndToEnd, TheMouseSteersThePaddleUnderThePointer) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    dir.WriteFile("levelmaps", CORNER_BRICKS);
    GameProcess game(GameFile("brixolan"), dir.Path());
    StartPlay(game);
    game.WaitUntil("the opening play screen",
                   [](const Screenshot& shot) { return PaddleAt(shot, START_X); });
    for (int pointerX : {120, 500}) {
        // The window's first report of the pointer only tells where it is: it is moved again
        // until the paddle sets off.
        const int startLeft = PaddleLeft(game.Shot());
        int nudges = 0;
        int lastLeft = -1;
        game.WaitUntil("the paddle at rest under the pointer at " + std::to_string(pointerX),
                       [&](const Screenshot& shot) {
                           const int left = PaddleLeft(shot);
                           if (left == startLeft) {
                               game.MovePointer(pointerX + nudges++ % 2, 300);
                           }
                           const bool still = left >= 0 && left == lastLeft;
                           lastLeft = left;
                           return still && std::abs(left + PADDLE_W / 2 - pointerX) <= 3;
                       });
    }
    LeaveByTheMenus(game);
    EXPECT_EQ(game.WaitForExit(), 0);
}

TEST(BrixolanEndToEnd, PauseFreezesTheGameContinueResumesItAndReturnToMenuLeavesIt) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    dir.WriteFile("levelmaps", CORNER_BRICKS);
    dir.WriteFile("hiscore", "7");
    GameProcess game(GameFile("brixolan"), dir.Path());
    StartPlay(game, {"Right"});
    game.WaitUntil("the paddle at the right wall", [](const Screenshot& shot) {
        return PaddleAt(shot, RIGHT_STOP) && BallAbovePaddle(shot);
    });
    game.KeyUp("Right");

    game.Press("p");
    Screenshot paused = game.WaitUntil("the pause menu", PausedShown);
    // The game picture stays under the menu, and stands still.
    EXPECT_TRUE(PaddleAt(paused, RIGHT_STOP));
    EXPECT_EQ(paused.Count(BRICK_COLOURS[4]), BRICK_PIXELS);
    Screenshot stillPaused = game.WaitUntil("the pause menu once more", PausedShown);
    EXPECT_TRUE(stillPaused == paused);

    game.Press("Return");
    Screenshot resumed = game.WaitUntil("the game again", [](const Screenshot& shot) {
        return shot.Count(TITLE_BLUE) == 0 && BallAbovePaddle(shot);
    });
    EXPECT_TRUE(PaddleAt(resumed, RIGHT_STOP));
    const Area ballBefore = resumed.Bounds(WHITE, ABOVE_PADDLE);
    game.WaitUntil("the ball moving on", [&](const Screenshot& shot) {
        const Area ball = shot.Bounds(WHITE, ABOVE_PADDLE);
        return ball.w == BALL && (ball.x != ballBefore.x || ball.y != ballBefore.y);
    });

    LeaveByTheMenus(game, "Escape");
    EXPECT_EQ(game.WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "7");
}

TEST(BrixolanEndToEnd, AKnockedOffLifeScoresAndBecomesTheHighScore) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    // A one-life brick right above the serve, and a strong one far away so the level stays.
    dir.WriteFile("levelmaps",
                  LevelOne({"0 0 0 0 0 0 0 0 0 0 0 0 0 0 5", EMPTY_ROW, EMPTY_ROW, EMPTY_ROW,
                            EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, "0 0 0 0 0 0 0 0 1 0 0 0 0 0 0"}));
    GameProcess game(GameFile("brixolan"), dir.Path());
    StartPlay(game, {"Left"});

    const WallLine firstPoint = TopLine(1, 1, 1);
    Screenshot hit = game.WaitUntil(
        "the first point", [&](const Screenshot& shot) { return firstPoint.ShownIn(shot); });
    EXPECT_EQ(hit.Count(BRICK_COLOURS[0]), 0) << "the brick is gone";
    EXPECT_EQ(hit.Count(BRICK_COLOURS[4]), BRICK_PIXELS);

    // The ball comes back down where the paddle no longer is.
    const WallLine nineLives = LivesLine(9);
    game.WaitUntil("a lost ball", [&](const Screenshot& shot) {
        return nineLives.ShownIn(shot) && firstPoint.ShownIn(shot);
    });
    game.KeyUp("Left");

    // The next ball rises for a while before it can reach anything: leave by the menu.
    LeaveByTheMenus(game);
    EXPECT_EQ(game.WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "1");
}

// Levels 1 and 3, each a one-life brick above the serve, which clears it without the paddle.
TEST(BrixolanEndToEnd, AfterTheLastLevelAScreenSaysSoAndPlayGoesOnAtTheFirst) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    const std::string serveColumn = "0 0 0 0 0 0 0 0 1 0 0 0 0 0 0";
    std::string levels = LevelOne({serveColumn}) + "level_3\n";
    for (int row = 0; row < 8; ++row) {
        levels += row == 7 ? serveColumn + "\n" : EMPTY_ROW;
    }
    dir.WriteFile("levelmaps", levels);
    GameProcess game(GameFile("brixolan"), dir.Path());
    StartPlay(game);

    const WallLine thirdLevel = TopLine(3, 1, 1);
    game.WaitUntil("level 3 after level 1",
                   [&](const Screenshot& shot) { return thirdLevel.ShownIn(shot); });
    const auto clearedShown = [](const Screenshot& shot) {
        return shot.Count(CLEARED_GOLD) > WORD_PIXELS;
    };
    Screenshot cleared = game.WaitUntil("the screen after the last level", clearedShown);
    EXPECT_TRUE(LivesLine(10).ShownIn(cleared)) << "over the play screen";

    // Closing the window is passed over there, as on the lose screen.
    game.RequestClose();
    SDL_Delay(300);
    EXPECT_TRUE(clearedShown(game.Shot()));

    game.Press("Return");
    const WallLine firstAgain = TopLine(1, 2, 2);
    game.WaitUntil("level 1 again, keeping the score", [&](const Screenshot& shot) {
        return firstAgain.ShownIn(shot) && shot.Count(CLEARED_GOLD) == 0;
    });
    game.RequestClose();
    EXPECT_EQ(game.WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "2");
}

}  // namespace
