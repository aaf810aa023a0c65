// The duel seen from outside: its walls, paddles and score lines, both paddles steered from
// one keyboard, points changing the scorer's line, pause and continue, and the ways out.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "tests/e2e/harness.h"
#include "tests/support/scratch_dir.h"

namespace {

const Rgb SELECTED_RED{255, 0, 0};
const Rgb TITLE_BLUE{0, 0, 255};
const Rgb SCORE_GREY{125, 125, 125};

// More pixels of one colour than a stray speck: a word of large text.
const int WORD_PIXELS = 150;

const int WALL = 14;
const int TOP_WALL_Y = 0;
const int BOTTOM_WALL_Y = 465;
const int PADDLE_W = 60;
const int PADDLE_H = 18;
const int PADDLE_PIXELS = PADDLE_W * PADDLE_H;
const int BALL_PIXELS = 10 * 10;
const int MY_PADDLE_Y = 440;
const int OTHER_PADDLE_Y = 40;
const int START_X = 320;
const int LEFT_STOP = 14;
const int RIGHT_STOP = 565;

// Inside the four walls.
const Area PLAYFIELD{WALL, WALL, 625 - WALL, 465 - WALL};
// Rows of the playfield strictly between the two paddles, where only the ball is white.
const Area BETWEEN_PADDLES{WALL, OTHER_PADDLE_Y + PADDLE_H, 625 - WALL,
                           MY_PADDLE_Y - OTHER_PADDLE_Y - PADDLE_H};
// The score lines reach a little below the top wall and down to the window's last row.
const int TOP_LINE_ROWS = 16;
const int BOTTOM_LINE_FIRST_ROW = 462;

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
struct SurfaceFreer {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

// A score line as the game's 14-point font renders it, to be looked for on a wall.
class ScoreLine {
public:
    ScoreLine(const std::string& text, int wallY) : wallY(wallY) {
        if (!TTF_WasInit()) {
            TTF_Init();
        }
        std::unique_ptr<TTF_Font, FontCloser> font(TTF_OpenFont(GameFile("arial.ttf").c_str(), 14));
        EXPECT_NE(font, nullptr);
        if (font != nullptr) {
            SDL_Color grey = {SCORE_GREY.r, SCORE_GREY.g, SCORE_GREY.b, 0};
            rendered.reset(TTF_RenderText_Solid(font.get(), text.c_str(), grey));
        }
        EXPECT_NE(rendered, nullptr) << text;
    }

    // Whether the wall shows exactly this line, centred, on white.
    bool ShownIn(const Screenshot& shot) const {
        if (rendered == nullptr || shot.Empty()) {
            return false;
        }
        const int left = (640 - rendered->w) / 2;
        for (int y = wallY; y < wallY + WALL; ++y) {
            for (int x = 0; x < 639; ++x) {
                const bool inside = x >= left && x < left + rendered->w && y - wallY < rendered->h;
                const bool ink =
                    inside && ColourAt(rendered.get(), x - left, y - wallY) == SCORE_GREY;
                if (shot.At(x, y) != (ink ? SCORE_GREY : WHITE)) {
                    return false;
                }
            }
        }
        return true;
    }

private:
    std::unique_ptr<SDL_Surface, SurfaceFreer> rendered;
    int wallY;
};

ScoreLine PlayerOne(const std::string& digits) {
    return ScoreLine("Player One   ---   Score: 00000" + digits, BOTTOM_WALL_Y);
}

ScoreLine PlayerTwo(const std::string& digits) {
    return ScoreLine("Player Two   ---   Score: 00000" + digits, TOP_WALL_Y);
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

bool MainMenuShown(const Screenshot& shot) {
    return shot.Count(SELECTED_RED) > WORD_PIXELS && shot.Count(TITLE_BLUE) > WORD_PIXELS;
}

// Starts the duel from the main menu; the keys are held down before "Play" is chosen.
void StartDuel(GameProcess& game, std::initializer_list<const char*> heldKeys = {}) {
    ASSERT_TRUE(game.WaitForWindow());
    game.WaitUntil("the main menu", MainMenuShown);
    for (const char* key : heldKeys) {
        game.KeyDown(key);
    }
    game.Press("Return");
}

TEST(TamuEndToEnd, DuelShowsWallsPaddlesAndScoreLinesAndClosingItEndsNormally) {
    ScratchDir dir;
    dir.CopyStartupFiles();
    dir.WriteFile("hiscore", " 77\n");
    GameProcess game(GameFile("tamu"), dir.Path());
    StartDuel(game);
    EXPECT_EQ(game.Caption(), "Zem Tamu");

    const ScoreLine oneAtZero = PlayerOne("0");
    const ScoreLine twoAtZero = PlayerTwo("0");
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
    StartDuel(game, {"Left", "x"});

    game.WaitUntil("the bottom paddle at the left wall, the top one at the right",
                   [](const Screenshot& shot) {
                       return PaddleAt(shot, LEFT_STOP, MY_PADDLE_Y) &&
                              PaddleAt(shot, RIGHT_STOP, OTHER_PADDLE_Y);
                   });

    const ScoreLine twoAtOne = PlayerTwo("1");
    Screenshot first = game.WaitUntil(
        "player two's point", [&](const Screenshot& shot) { return twoAtOne.ShownIn(shot); });
    EXPECT_TRUE(PlayerOne("0").ShownIn(first));

    const ScoreLine oneAtOne = PlayerOne("1");
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
    StartDuel(game);
    Screenshot before = game.WaitUntil("the duel", [](const Screenshot& shot) {
        return PaddleAt(shot, START_X, MY_PADDLE_Y) && BallBetweenPaddles(shot);
    });

    game.Press("p");
    Screenshot paused = game.WaitUntil("the pause menu", [](const Screenshot& shot) {
        return shot.Count(TITLE_BLUE) > WORD_PIXELS;
    });
    // The duel stands still under the pause menu.
    Screenshot stillPaused = game.WaitUntil("the pause menu once more", [](const Screenshot& shot) {
        return shot.Count(TITLE_BLUE) > WORD_PIXELS;
    });
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

    game.Press("p");
    game.WaitUntil("the pause menu",
                   [](const Screenshot& shot) { return shot.Count(TITLE_BLUE) > WORD_PIXELS; });
    game.Press("Down Return");
    game.WaitUntil("the main menu", MainMenuShown);
    game.Press("Down Down Return");
    EXPECT_EQ(game.WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "5");
}

}  // namespace
