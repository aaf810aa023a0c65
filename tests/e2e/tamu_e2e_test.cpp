// The duel seen from outside: its walls, paddles and score lines, both paddles steered from
// one keyboard, points changing the scorer's line, pause and continue, and the ways out.

#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/harness.h"
#include "tests/e2e/play_screen.h"
#include "tests/e2e/tamu_screen.h"
#include "tests/support/scratch_dir.h"

namespace {

const int TOP_WALL_Y = 0;
const int BOTTOM_WALL_Y = 465;
const int PADDLE_PIXELS = PADDLE_W * PADDLE_H;
const int BALL_PIXELS = 10 * 10;
const int START_X = 320;

// Inside the four walls.
const Area PLAYFIELD{WALL, WALL, 625 - WALL, 465 - WALL};
// Rows of the playfield strictly between the two paddles, where only the ball is white.
const Area BETWEEN_PADDLES{WALL, OTHER_PADDLE_Y + PADDLE_H, 625 - WALL,
                           MY_PADDLE_Y - OTHER_PADDLE_Y - PADDLE_H};
// The score lines reach a little below the top wall and down to the window's last row.
const int TOP_LINE_ROWS = 16;
const int BOTTOM_LINE_FIRST_ROW = 462;

WallLine PlayerOne(const std::string& digits) {
    return WallLine("Player One   ---   Score: 00000" + digits, BOTTOM_WALL_Y, WALL);
}

WallLine PlayerTwo(const std::string& digits) {
    return WallLine("Player Two   ---   Score: 00000" + digits, TOP_WALL_Y, WALL);
}

// The paddle fills its rectangle and nothing else of its rows is white, apart from the ball
// passing through.
bool PaddleAt(const Screenshot& shot, int x, int y) {
    const int whiteInRows = shot.Count(WHITE, Area{WALL, y, 625 - WALL, PADDLE_H});
    return shot.Count(WHITE, Area{x, y, PADDLE_W, PADDLE_H}) == PADDLE_PIXELS &&
           whiteInRows == PADDLE_PIXELS;
}

bool BallBetweenPaddles(const Screenshot& shot) {
    const Area ball = shot.Bounds(WHITE, BETWEEN_PADDLES);
    return ball.w == 10 && ball.h == 10 && shot.Count(WHITE, BETWEEN_PADDLES) == BALL_PIXELS;
}

TEST(TamuEndToEnd, DuelShowsWallsPaddlesAndScoreLinesAndClosingItEndsNormally) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    dir.WriteFile("hiscore", " 77\n");
    GameProcess game(GameFile("tamu"), dir.Path());
    StartPlay(game);
    EXPECT_EQ(game.Caption(), "Zem Tamu");

    const WallLine oneAtZero = PlayerOne("0");
    const WallLine twoAtZero = PlayerTwo("0");
    Screenshot duel = game.WaitUntil("the opening duel", [&](const Screenshot& shot) {
        return PaddleAt(shot, START_X, MY_PADDLE_Y) && PaddleAt(shot, START_X, OTHER_PADDLE_Y) &&
               BallBetweenPaddles(shot) && oneAtZero.ShownIn(shot) && twoAtZero.ShownIn(shot);
    });
    EXPECT_EQ(duel.Count(WHITE, Area{0, 0, WALL, 479}), WALL * 479) << "left wall";
    EXPECT_EQ(duel.Count(WHITE, Area{625, 0, WALL, 479}), WALL * 479) << "right wall";
    // The window's last column and row lie outside every wall and show the picture.
    EXPECT_EQ(duel.Count(WHITE, Area{639, 0, 1, 480}), 0);
    EXPECT_EQ(duel.Count(WHITE, Area{0, 479, 640, 1}), 0);
    // Nothing but the ball and the paddles is white inside the walls.
    EXPECT_EQ(duel.Count(WHITE, PLAYFIELD), BALL_PIXELS + 2 * PADDLE_PIXELS);

    // Right arrow steers the bottom paddle, Z the top one, each until its wall stops it.
    game.KeyDown("Right");
    game.KeyDown("z");
    game.WaitUntil("the paddles against opposite walls", [](const Screenshot& shot) {
        return PaddleAt(shot, RIGHT_STOP, MY_PADDLE_Y) && PaddleAt(shot, LEFT_STOP, OTHER_PADDLE_Y);
    });
    game.KeyUp("Right");
    game.KeyUp("z");

    game.RequestClose();
    EXPECT_EQ(game.WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "77");
}

TEST(TamuEndToEnd, EachPointChangesOnlyTheScorersLine) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    GameProcess game(GameFile("tamu"), dir.Path());
    // Both paddles are steered away from the middle from the first frame, so the ball,
    // served straight down and later straight up, passes them both.
    StartPlay(game, {"Left", "x"});

    game.WaitUntil("the bottom paddle at the left wall, the top one at the right",
                   [](const Screenshot& shot) {
                       return PaddleAt(shot, LEFT_STOP, MY_PADDLE_Y) &&
                              PaddleAt(shot, RIGHT_STOP, OTHER_PADDLE_Y);
                   });

    const WallLine twoAtOne = PlayerTwo("1");
    Screenshot first = game.WaitUntil(
        "player two's point", [&](const Screenshot& shot) { return twoAtOne.ShownIn(shot); });
    EXPECT_TRUE(PlayerOne("0").ShownIn(first));

    const WallLine oneAtOne = PlayerOne("1");
    Screenshot second = game.WaitUntil(
        "player one's point", [&](const Screenshot& shot) { return oneAtOne.ShownIn(shot); });
    EXPECT_TRUE(twoAtOne.ShownIn(second));

    game.KeyUp("Left");
    game.KeyUp("x");
    game.RequestClose();
    EXPECT_EQ(game.WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "0");
}

TEST(TamuEndToEnd, ContinueGivesBackTheDuelPictureAndReturnToMenuLeavesTheDuel) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    dir.WriteFile("hiscore", "5");
    GameProcess game(GameFile("tamu"), dir.Path());
    StartPlay(game);
    Screenshot before = game.WaitUntil("the duel", [](const Screenshot& shot) {
        return PaddleAt(shot, START_X, MY_PADDLE_Y) && BallBetweenPaddles(shot);
    });

    game.Press("p");
    Screenshot paused = game.WaitUntil("the pause menu", PausedShown);
    // The duel stands still under the pause menu.
    Screenshot stillPaused = game.WaitUntil("the pause menu once more", PausedShown);
    EXPECT_TRUE(stillPaused == paused);

    game.Press("Return");
    Screenshot after = game.WaitUntil("the duel again", [](const Screenshot& shot) {
        return shot.Count(TITLE_BLUE) == 0 && BallBetweenPaddles(shot);
    });
    // Only the ball has moved since before the pause: every other pixel between the score
    // lines is as it was, and no trace of the menu is left.
    int changed = 0;
    for (int y = TOP_LINE_ROWS; y < BOTTOM_LINE_FIRST_ROW; ++y) {
        for (int x = 0; x < 640; ++x) {
            const bool ball = before.At(x, y) == WHITE || after.At(x, y) == WHITE;
            if (!ball && before.At(x, y) != after.At(x, y)) {
                ++changed;
            }
        }
    }
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(after.Count(WHITE, PLAYFIELD), BALL_PIXELS + 2 * PADDLE_PIXELS);

    LeaveByTheMenus(game);
    EXPECT_EQ(game.WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "5");
}

}  // namespace

namespace {

// Where the paddle in these rows stands, or -1 when the rows show no whole paddle.
int PaddleX(const Screenshot& shot, int y) {
    const Area found = shot.Bounds(WHITE, Area{WALL, y, 625 - WALL, PADDLE_H});
    return found.w == PADDLE_W ? found.x : -1;
}

}  // namespace

// Against the computer the top paddle moves with no key held; in the demo both do, from the
// start, with no menu first.
TEST(TamuEndToEnd, TheComputerSteersTheTopPaddleAndInTheDemoBoth) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    {
        GameProcess game(GameFile("tamu"), dir.Path(), {}, {"--computer=hard"});
        StartPlay(game);
        game.WaitUntil("the top paddle moved by the computer", [](const Screenshot& shot) {
            const int top = PaddleX(shot, OTHER_PADDLE_Y);
            return top >= 0 && top != START_X && PaddleAt(shot, START_X, MY_PADDLE_Y);
        });
        game.RequestClose();
        EXPECT_EQ(game.WaitForExit(), 0);
    }
    GameProcess demo(GameFile("tamu"), dir.Path(), {}, {"--demo"});
    ASSERT_TRUE(demo.WaitForWindow());
    demo.WaitUntil("both paddles moved by the computers", [](const Screenshot& shot) {
        const int top = PaddleX(shot, OTHER_PADDLE_Y);
        const int bottom = PaddleX(shot, MY_PADDLE_Y);
        return top >= 0 && bottom >= 0 && top != START_X && bottom != START_X;
    });
    demo.RequestClose();
    EXPECT_EQ(demo.WaitForExit(), 0);
}
