#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/sdl_test.h"

// End-to-end harness: the real game programs on a private X server.
//
// The test binary starts one Xvfb of its own before the first test (on a display number the
// server picks itself, so parallel test processes never collide) and stops it after the
// last; DISPLAY points at it meanwhile. A test then:
//
//     ScratchDir dir;                       // tests/support/scratch_dir.h
//     dir.CopyStartupFiles();               // the data files this run should find
//     dir.WriteFile("hiscore", "  42\n");
//     GameProcess game(GameFile("brixolan"), dir.Path());
//     ASSERT_TRUE(game.WaitForWindow());
//     Screenshot menu = game.WaitUntil("the main menu", [](const Screenshot& shot) {
//         return shot.Count(Rgb{255, 0, 0}) > 100;
//     });
//     game.Press("Down Down Return");
//     EXPECT_EQ(game.WaitForExit(), 0);
//     EXPECT_EQ(dir.ReadFile("hiscore"), "42");
//
// Every wait polls until its condition holds or a generous timeout passes (a failure is then
// recorded and the last screenshot saved for a look); nothing relies on fixed sleeps, and
// nothing here measures speed.

using Clock = std::chrono::steady_clock;
const std::chrono::milliseconds DEFAULT_TIMEOUT{20000};

// A rectangle of window pixels: columns x to x + w - 1, rows y to y + h - 1.
struct Area {
    int x;
    int y;
    int w;
    int h;
};
const Area WHOLE_WINDOW{0, 0, 640, 480};

// The pixels of a window at one moment, with exact colours.
class Screenshot {
public:
    Screenshot() = default;
    Screenshot(int width, int height, std::vector<Rgb> pixels);

    int Width() const { return width; }
    int Height() const { return height; }
    bool Empty() const { return pixels.empty(); }
    Rgb At(int x, int y) const;

    // How many pixels of the area have exactly this colour.
    int Count(Rgb colour, Area area = WHOLE_WINDOW) const;
    // The smallest area holding every pixel of this colour; w and h are 0 when there is none.
    Area Bounds(Rgb colour, Area area = WHOLE_WINDOW) const;
    // The mean row of the pixels of this colour, or -1 when there is none.
    double MeanRow(Rgb colour, Area area = WHOLE_WINDOW) const;
    // The runs of consecutive rows that hold the colour, top to bottom: one per line of text.
    std::vector<std::pair<int, int>> RowBands(Rgb colour, Area area = WHOLE_WINDOW) const;
    bool operator==(const Screenshot& other) const;

    // Writes a binary PPM picture, for looking at a failure.
    void SavePpm(const std::string& fileName) const;

private:
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};

// Changes to the environment a program starts with, applied in order after the usual
// settings: "NAME=value" sets a variable, a bare "NAME" removes it.
using EnvironmentChanges = std::vector<std::string>;

// One run of a game program. The program starts in the given folder (which holds the data
// files it should find) with DISPLAY set to the test X server and silent sound; it is killed
// when the object goes if it still runs. What it writes on its standard output and error is
// kept for the test to read.
class GameProcess {
public:
    // words: what follows the program's name on its command line.
    GameProcess(const std::string& program, const std::string& folder,
                const EnvironmentChanges& changes = {}, const std::vector<std::string>& words = {});
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    pid_t Pid() const { return pid; }

    // Waits until the program's window is on screen. False (with a failure recorded) when
    // the program ends first or the timeout passes.
    bool WaitForWindow(std::chrono::milliseconds timeout = DEFAULT_TIMEOUT);
    // The window's caption and size as they are now (after WaitForWindow).
    std::string Caption() const;
    // Waits until the window's caption reads exactly this; false (with a failure naming
    // the caption last seen) when the timeout passes or the program ends.
    bool WaitForCaption(const std::string& caption,
                        std::chrono::milliseconds timeout = DEFAULT_TIMEOUT);
    int WindowWidth() const;
    int WindowHeight() const;

    // Presses and releases each key in turn; keys are X key names separated by blanks, such
    // as "Down Down Return", "Left", "z", "Escape". The program reads them in this order.
    void Press(const std::string& keys);
    // Holds a key down until KeyUp; the program's held-key state sees it pressed meanwhile.
    void KeyDown(const std::string& key);
    void KeyUp(const std::string& key);
    // Moves the real pointer to this spot of the window (xdotool mousemove), as a hand on
    // the mouse would: the program sees the motion the X server reports.
    void MovePointer(int x, int y);
    // What the window's close button sends: the program gets a quit request.
    void RequestClose();

    // The window's picture now; empty when it can't be read (the window is gone).
    Screenshot Shot() const;
    // Takes screenshots until one satisfies the condition and returns it. On timeout, or when
    // the program ends, records a failure naming what was awaited, saves the last picture
    // and returns it.
    Screenshot WaitUntil(const std::string& what,
                         const std::function<bool(const Screenshot&)>& condition,
                         std::chrono::milliseconds timeout = DEFAULT_TIMEOUT);

    // Whether the program is still running (never blocks).
    bool Running();
    // Waits until the program has its own handler for the signal. False (with a failure
    // recorded) when it ends first or the timeout passes.
    bool WaitUntilCatching(int signalNumber, std::chrono::milliseconds timeout = DEFAULT_TIMEOUT);
    // What the program has written on its standard output and on its standard error so far.
    std::string Output() const;
    std::string Errors() const;
    // Waits for the program to end and gives its exit status (128 + the signal number when a
    // signal ended it). On timeout it kills the program, records a failure and returns -1.
    int WaitForExit(std::chrono::milliseconds timeout = DEFAULT_TIMEOUT);

private:
    // The program's shown window (0 before it shows one); see the definition for why it
    // can change.
    unsigned long ShownWindow() const;
    void SendKey(const std::string& key, bool press);
    void Reap(int waitStatus);

    pid_t pid = -1;
    std::string outputFile;
    std::string errorFile;
    mutable unsigned long window = 0;
    bool exited = false;
    int exitStatus = -1;
};

// The whole screen of the test X server now (what a full-screen game shows).
Screenshot ScreenShot();

// The display name of the test X server, such as ":3" (empty before it runs).
const std::string& TestDisplayName();
