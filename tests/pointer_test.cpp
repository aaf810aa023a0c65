// The mouse through the seam that feeds the pointer's state: steering the bottom paddle, its
// dead band and settling, the hand-over between the mouse and the keys, the menus, and where
// a point of an enlarged window lies on the picture.

#include "platform/pointer.h"

#include <cstdlib>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "framework/scale.h"
#include "platform/display.h"
#include "platform/gamepads.h"
#include "platform/hotkeys.h"
#include "shell/controls.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "shell/screens.h"
#include "shell/startup.h"
#include "tests/support/all_games.h"
#include "tests/support/fake_clock.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

PointerState fedPointer;

void FeedPointer(PointerState& pointer) {
    pointer = fedPointer;
    fedPointer.clicks = 0;
}

// The pointer at this spot of the window (known from now on).
void PointAt(int x, int y) {
    fedPointer.x = x;
    fedPointer.y = y;
    fedPointer.known = true;
}

const int PADDLE_WIDTH = 72;
const int PADDLE_Y = 440;

// Where a paddle stands after a frame, and whether it was steered left (-1) or right (1).
struct Frame {
    int x;
    int direction;
};

// One frame of play as the games steer their bottom paddle: the pointer is read with the
// pads, the record filled by its source, then the paddle steered and moved.
Frame PlayFrame() {
    PollPads();
    PollPointer();
    PaddleControls controls[PADDLES];
    ReadControls(controls);
    SteerPaddle(myPaddle, controls[BOTTOM_PADDLE]);
    myPaddle.UpdateLocation();
    return Frame{myPaddle.GetXPos(), controls[BOTTOM_PADDLE].right - controls[BOTTOM_PADDLE].left};
}

int Centre() {
    return myPaddle.GetXPos() + PADDLE_WIDTH / 2;
}

class PointerSteeringTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        SetPointerReader(FeedPointer);
        fedPointer = PointerState();
        ForgetPointerPosition();
        ReleasePointerSteering();
        FeedPaddlesPlainly();
        myPaddle.SetBothPos(300, PADDLE_Y);
        myPaddle.SetBothVel(0, 0);
        myPaddle.SetBothSize(PADDLE_WIDTH, 20);
        Play("brixolan");
    }
    // That game's play on top of the stack, its paddle's speed limit in force.
    static void Play(const char* name) {
        EmptyStateStack();
        ZEM_UseGame(*GameNamed(name));
        PushState(game->PlayState);
    }
    void TearDown() override {
        ReleaseAllKeys();
        SetPointerReader(nullptr);
        EmptyStateStack();
        SdlTest::TearDown();
    }
};

TEST_F(PointerSteeringTest, LeftOfTheBandHoldsLeftRightOfItRightInsideItNeither) {
    struct Row {
        const char* game;
        int band;
    };
    // Half the run from the last step at top speed to rest: 3 + 3 for a limit of 4, 7 + 21
    // for a limit of 8.
    for (const Row& row : {Row{"brixolan", 3}, Row{"tamu", 14}}) {
        Play(row.game);
        ASSERT_EQ(PointerDeadBand(), row.band) << row.game;
        const int centre = Centre();
        const struct {
            int column;
            int direction;
        } cases[] = {{0, -1},
                     {centre - row.band - 1, -1},
                     {centre - row.band, 0},
                     {centre, 0},
                     {centre + row.band, 0},
                     {centre + row.band + 1, 1},
                     {SCREEN_WIDTH - 1, 1}};
        for (const auto& c : cases) {
            PaddleControls controls;
            SteerTowards(myPaddle, c.column, controls);
            EXPECT_EQ(controls.right - controls.left, c.direction) << row.game << " " << c.column;
        }
    }
}

// From any distance, either way, the paddle comes to rest with the pointer inside the band,
// and the direction it was steered in never turns round on the way.
TEST_F(PointerSteeringTest, ThePaddleSettlesUnderThePointerWithoutHunting) {
    for (const char* name : {"brixolan", "tamu"}) {
        Play(name);
        for (int distance = -260; distance <= 260; distance += 3) {
            myPaddle.SetBothPos(280, PADDLE_Y);
            myPaddle.SetBothVel(0, 0);
            ReleasePointerSteering();
            ForgetPointerPosition();
            PointAt(Centre(), 300);
            PlayFrame();
            PointAt(Centre() + distance, 300);
            int turns = 0;
            int lastDirection = 0;
            for (int frame = 0; frame < 300; ++frame) {
                const Frame f = PlayFrame();
                if (f.direction != 0) {
                    turns += lastDirection != 0 && f.direction != lastDirection;
                    lastDirection = f.direction;
                }
            }
            EXPECT_EQ(turns, 0) << name << " from " << distance;
            EXPECT_EQ(myPaddle.GetXVel(), 0) << name << " from " << distance;
            EXPECT_LE(std::abs(fedPointer.x - Centre()), PointerDeadBand())
                << name << " from " << distance;
        }
    }
}

TEST_F(PointerSteeringTest, TheMouseStepsInWhenItMovesAndTheKeysTakeOverWhenHeld) {
    const int far = 100;  // well left of the paddle
    struct Step {
        const char* what;
        int pointerX;    // -1: the pointer not yet known to the window
        bool holdRight;  // the Right key held
        int direction;   // how the paddle is steered this frame
    };
    const Step steps[] = {
        {"a pointer the window doesn't know of steers nothing", -1, false, 0},
        {"the first position is where it is, not a move", far, false, 0},
        {"standing still it still steers nothing", far, false, 0},
        {"a move hands the paddle to the mouse", far - 1, false, -1},
        {"and it goes on steering while it stands", far - 1, false, -1},
        {"a held key takes over", far - 1, true, 1},
        {"released, the mouse standing still does not come back", far - 1, false, 0},
        {"moved again, it steers again", far - 2, false, -1},
    };
    for (const Step& step : steps) {
        if (step.pointerX >= 0) {
            PointAt(step.pointerX, 300);
        }
        if (step.holdRight) {
            HoldKey(SDLK_RIGHT);
        } else {
            ReleaseAllKeys();
        }
        EXPECT_EQ(PlayFrame().direction, step.direction) << step.what;
    }
    ReleasePointerSteering();
    EXPECT_EQ(PlayFrame().direction, 0) << "a new game starts with the keys until the mouse moves";
    PointAt(far + 5, 300);
    ASSERT_EQ(PlayFrame().direction, -1);
    ForgetPointerPosition();
    PointAt(far + 200, 300);
    PlayFrame();
    EXPECT_TRUE(PointerSteers());
    EXPECT_EQ(PointerColumn(), far + 200)
        << "a window made anew reports where the pointer is: it steers on, from there";
}

TEST_F(PointerSteeringTest, MotionAndClicksNeverReachTheQueueAndThePointerHidesInPlayOnly) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 123;
    motion.motion.y = 45;
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_LEFT;
    press.button.x = 123;
    press.button.y = 45;
    SDL_Event release = press;
    release.type = SDL_MOUSEBUTTONUP;
    SDL_Event left{};
    left.type = SDL_ACTIVEEVENT;
    left.active.state = SDL_APPMOUSEFOCUS;
    for (const SDL_Event* event : {&motion, &press, &release, &left}) {
        EXPECT_EQ(HotkeyFilter(event), 0) << "type " << int(event->type);
    }
    SDL_Event keyboardFocus = left;
    keyboardFocus.active.state = SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS;
    EXPECT_EQ(HotkeyFilter(&keyboardFocus), 1) << "the keyboard's focus is not the mouse's";
    SetPointerReader(nullptr);
    PollPointer();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    motion.motion.x = 20;
    HotkeyFilter(&motion);
    PollPointer();
    EXPECT_TRUE(PointerSteers()) << "the filter's motion is read as a move";
    EXPECT_EQ(PointerColumn(), 20);
    PushState(PauseState);
    PollPointer();
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "shown on the pause screen";
}

TEST(PointerOnPicture, WindowPointsMapToThePictureAtEveryScaleAndInFullScreen) {
    const struct {
        const char* where;
        int factor, left, top;
        int x, y;
        bool onPicture;
        int pictureX, pictureY;
    } rows[] = {
        {"plain window", 1, 0, 0, 0, 0, true, 0, 0},
        {"plain window", 1, 0, 0, 639, 479, true, 639, 479},
        {"scale 2", 2, 0, 0, 3, 5, true, 1, 2},
        {"scale 2", 2, 0, 0, 1279, 959, true, 639, 479},
        {"scale 3", 3, 0, 0, 959, 2, true, 319, 0},
        {"1920x1080 full screen", 2, 320, 60, 320, 60, true, 0, 0},
        {"1920x1080 full screen", 2, 320, 60, 1599, 1019, true, 639, 479},
        {"1920x1080, black to the left", 2, 320, 60, 319, 500, false, 0, 220},
        {"1920x1080, black to the right", 2, 320, 60, 1600, 500, false, 639, 220},
        {"1920x1080, black above", 2, 320, 60, 700, 10, false, 190, 0},
        {"1366x768 full screen", 1, 363, 144, 363 + 320, 144 + 240, true, 320, 240},
        {"1366x768, black below", 1, 363, 144, 400, 767, false, 37, 479},
    };
    for (const auto& row : rows) {
        int x = -1;
        int y = -1;
        EXPECT_EQ(ZEM_PicturePointAt(row.x, row.y, row.factor, row.left, row.top, SCREEN_WIDTH,
                                     SCREEN_HEIGHT, &x, &y),
                  row.onPicture)
            << row.where << " at " << row.x << ", " << row.y;
        EXPECT_EQ(x, row.pictureX) << row.where << " at " << row.x << ", " << row.y;
        EXPECT_EQ(y, row.pictureY) << row.where << " at " << row.x << ", " << row.y;
    }
}

// The main menu of a started game in a window of each scale: the pointer moved over a line
// selects it (drawn red), and a click on "Quit" chooses it.
class PointerMenuTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        dir.CopyStartupFiles();
        dir.CopyGameFile("levelmaps");
        SetPointerReader(FeedPointer);
        fedPointer = PointerState();
        ChooseDisplay(DisplayChoice{GetParam(), false});
        started = ZEM_StartGame(*GameNamed("brixolan"));
    }
    void TearDown() override {
        if (started) {
            EmptyStateStack();
            ZEM_EndGame();
        } else {
            ReleaseWhatStartUpLeft();
        }
        ChooseDisplay(DisplayChoice{});
        SetPointerReader(nullptr);
    }
    struct Rows {
        int first;
        int last;
    };
    // The rows of the picture that show the selected line in red, at the menu's centre column.
    static Rows RedRows(int scale) {
        SDL_Surface* window = SDL_GetVideoSurface();
        int first = -1;
        int last = -1;
        for (int y = 0; y < SCREEN_HEIGHT; ++y) {
            for (int x = 200; x < 440; ++x) {
                if (ColourAt(window, x * scale, y * scale) == Rgb{255, 0, 0}) {
                    first = first < 0 ? y : first;
                    last = y;
                    break;
                }
            }
        }
        return {first, last};
    }

    ScratchDir dir;
    FakeClock clock;
    bool started = false;
};

TEST_P(PointerMenuTest, HoverSelectsALineAndAClickChoosesIt) {
    ASSERT_TRUE(started);
    // As large as asked, or as large as the screen holds.
    const int scale = SDL_GetVideoSurface()->w / SCREEN_WIDTH;
    MenuState();
    const Rows play = RedRows(scale);
    ASSERT_GE(play.first, 0) << "\"Play\" is selected at first";
    PointAt(SCREEN_WIDTH / 2 * scale, 10 * scale);
    MenuState();
    // Down the screen a row at a time: each line is selected in turn, once the pointer has
    // passed the letters of the line above and before it has passed its own.
    int selections = 0;
    Rows last = play;
    for (int y = play.last + 1; y < SCREEN_HEIGHT - 1; ++y) {
        PointAt(SCREEN_WIDTH / 2 * scale, y * scale);
        MenuState();
        MenuState();
        const Rows red = RedRows(scale);
        if (red.first != last.first) {
            ++selections;
            EXPECT_GT(y, last.last) << "selected at " << y;
            EXPECT_LE(y, red.last) << "selected at " << y;
            last = red;
        }
    }
    EXPECT_EQ(selections, 2) << "\"Help\", then \"Quit\"";
    ASSERT_EQ(StateStack.size(), 1u);
    PointAt(SCREEN_WIDTH / 2 * scale, (last.first + 5) * scale);
    fedPointer.clicks = 1;
    MenuState();
    EXPECT_TRUE(StateStack.empty()) << "the click chose \"Quit\"";
}

INSTANTIATE_TEST_SUITE_P(PlainAndScaled, PointerMenuTest, ::testing::Values(1, 2));

}  // namespace
