// Plays every level of a level map with a simulated player, on the game's own play code, and
// tells how long each level takes to clear: the numbers a level designer needs to keep a set
// of levels playable in a sitting.
//
//   measure_levels [--seeds N] [--limit SECONDS] FILE
//
// The player sees the whole field and steers only by holding Left or Right, so the paddle
// never moves faster than the game lets it. On each ball that comes down it aims the paddle
// to take the ball on a spot of the paddle chosen at random (one seed per run), which sets
// the angle the ball leaves at. It never gives up a ball on purpose; balls it misses are
// counted, and it is given a new life for each so that every run plays the level to its end.
// Game time is 7 ms a frame plus the second of stillness after each lost ball. A run that has
// not cleared the level after the limit counts as not cleared.

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "SDL.h"
#include "brixolan/constants.h"
#include "brixolan/game.h"
#include "brixolan/levels.h"
#include "framework/clock.h"
#include "shell/game.h"
#include "shell/globals.h"

using namespace brixolan;

namespace fs = std::filesystem;

namespace {

const int DEFAULT_SEEDS = 5;
const int DEFAULT_LIMIT_SECONDS = 600;
const int MS_PER_SECOND = 1000;
const int CELLS = ROWS * COLS;

// Where the ball stands when its lowest point reaches the paddle's top row.
const int BALL_LANDING_Y = PADDLE_START_Y - BALL_SIZE + 1;
// The ball between the side walls: the game steps it back as soon as a side point is in one.
const int BALL_LEFTMOST = BORDER_WIDTH;
const int BALL_RIGHTMOST = SCREEN_WIDTH - 1 - BORDER_WIDTH - BALL_SIZE;
const int PADDLE_LEFTMOST = BORDER_WIDTH;
const int PADDLE_RIGHTMOST = SCREEN_WIDTH - 1 - BORDER_WIDTH - PADDLE_WIDTH;
// Steps a prediction follows a ball before it gives up (a ball sliding along the top).
const int LONGEST_PREDICTION = 4000;

Uint32 waitedMs = 0;

Uint32 NoTicks() {
    return 0;
}

// The game's pauses (the second after a lost ball) take no time here, but count as played.
void CountWait(Uint32 milliseconds) {
    waitedMs += milliseconds;
}

// Where the ball's left edge will be when it comes down to the paddle, following it off the
// walls but through the bricks: good enough below the bricks, and corrected every frame.
int LandingX() {
    int x = theBall.GetXPos();
    int y = theBall.GetYPos();
    int xVel = theBall.GetXVel();
    int yVel = theBall.GetYVel();
    for (int step = 0; step < LONGEST_PREDICTION && !(yVel > 0 && y >= BALL_LANDING_Y); ++step) {
        x += xVel;
        y += yVel;
        if (x < BALL_LEFTMOST || x > BALL_RIGHTMOST) {
            x -= xVel;
            xVel = -xVel;
        }
        if (y < BORDER_WIDTH) {
            y -= yVel;
            yVel = -yVel;
        }
    }
    return x;
}

enum class Hold { NONE, LEFT, RIGHT };

// The paddle's velocity after one frame of steering, as the paddle itself works it out.
int VelocityAfter(int velocity, Hold hold) {
    Paddle probe;
    probe.SetBothVel(velocity, 0);
    if (hold == Hold::LEFT) {
        probe.Left();
    } else if (hold == Hold::RIGHT) {
        probe.Right();
    }
    probe.Friction();
    return probe.GetXVel();
}

// Where the paddle comes to rest if it is steered so for one frame and then let go.
int RestingX(int x, int velocity, Hold hold) {
    for (velocity = VelocityAfter(velocity, hold); velocity != 0;
         velocity = VelocityAfter(velocity, Hold::NONE)) {
        x += velocity;
    }
    return x;
}

class SimulatedPlayer {
public:
    explicit SimulatedPlayer(unsigned seed) : dice(seed) { PickSpot(); }

    // Holds the key that brings the paddle to rest nearest to where it should take the ball.
    void Steer() {
        const bool falling = theBall.GetYVel() > 0;
        if (falling && !wasFalling) {
            PickSpot();
        }
        wasFalling = falling;

        const int ballMiddle = LandingX() + BALL_SIZE / 2;
        const int target = std::clamp(ballMiddle - spot, PADDLE_LEFTMOST, PADDLE_RIGHTMOST);
        Hold best = Hold::NONE;
        int bestMiss = Miss(Hold::NONE, target);
        for (Hold hold : {Hold::LEFT, Hold::RIGHT}) {
            if (Miss(hold, target) < bestMiss) {
                best = hold;
                bestMiss = Miss(hold, target);
            }
        }
        Uint8* keys = SDL_GetKeyState(nullptr);
        keys[SDLK_LEFT] = best == Hold::LEFT;
        keys[SDLK_RIGHT] = best == Hold::RIGHT;
    }

private:
    // The column of the paddle that is to meet the ball's middle: any, edges included.
    void PickSpot() { spot = std::uniform_int_distribution<int>(0, PADDLE_WIDTH - 1)(dice); }

    static int Miss(Hold hold, int target) {
        return std::abs(RestingX(myPaddle.GetXPos(), myPaddle.GetXVel(), hold) - target);
    }

    std::mt19937 dice;
    int spot = 0;
    bool wasFalling = false;
};

int CellOf(const Brick& brick) {
    return (brick.GetYPos() - BORDER_WIDTH) / BRICK_HEIGHT * COLS +
           (brick.GetXPos() - BORDER_WIDTH) / BRICK_WIDTH;
}

using Grid = std::array<int, CELLS>;  // brick lives by cell, 0 where there is none

Grid LivesByCell() {
    Grid grid{};
    for (const Brick& brick : theBricks) {
        grid[CellOf(brick)] = brick.GetLives();
    }
    return grid;
}

struct Run {
    bool cleared = false;
    Uint32 gameMs = 0;
    int lostBalls = 0;
};

int LivesIn(const Grid& grid) {
    int total = 0;
    for (int cell : grid) {
        total += cell;
    }
    return total;
}

// One play of the level from its start, as PrePlay and the level change leave it. Marks in
// `hit` every brick that lost a life.
Run PlayLevel(int number, unsigned seed, int limitSeconds, const Grid& start,
              std::array<bool, CELLS>& hit) {
    level = number;
    LoadLevel(number);
    const int livesToKnock = LivesIn(start);
    score = 0;
    lives = LIVES;
    waitedMs = 0;
    ZEM_SetClock(NoTicks, CountWait);
    SimulatedPlayer player(seed);

    Run run;
    const long limitMs = static_cast<long>(limitSeconds) * MS_PER_SECOND;
    long frames = 0;
    for (; frames * FRAME_PERIOD_MS + waitedMs < limitMs; ++frames) {
        player.Steer();
        PlayState();
        if (lives < LIVES) {
            run.lostBalls += LIVES - lives;
            lives = LIVES;
        }
        if (score >= livesToKnock) {
            run.cleared = true;
            ++frames;
            break;
        }
        const Grid now = LivesByCell();
        for (int cell = 0; cell < CELLS; ++cell) {
            hit[cell] = hit[cell] || now[cell] < start[cell];
        }
    }
    if (run.cleared) {
        hit.fill(true);
    }
    run.gameMs = static_cast<Uint32>(frames * FRAME_PERIOD_MS + waitedMs);
    ZEM_SetClock(nullptr, nullptr);
    return run;
}

std::string Clock(Uint32 ms) {
    const Uint32 seconds = (ms + MS_PER_SECOND / 2) / MS_PER_SECOND;
    char text[16];
    std::snprintf(text, sizeof text, "%u:%02u", seconds / 60, seconds % 60);
    return text;
}

// A run that did not clear the level shows as longer than the limit.
std::string TimeOf(const Run& run) {
    return run.cleared ? Clock(run.gameMs) : "> " + Clock(run.gameMs);
}

struct Totals {
    Uint32 medianMs = 0;
    Uint32 worstMs = 0;
    int levels = 0;
    int notCleared = 0;
};

// One table row for the level: its bricks, and its runs sorted from quickest to slowest.
void MeasureLevel(int number, int seeds, int limitSeconds, Totals& totals) {
    LoadLevel(number);
    const Grid start = LivesByCell();
    const int bricks = static_cast<int>(theBricks.size());
    std::array<bool, CELLS> hit{};
    std::vector<Run> runs;
    for (int seed = 1; seed <= seeds; ++seed) {
        runs.push_back(PlayLevel(number, static_cast<unsigned>(seed), limitSeconds, start, hit));
    }
    // Slowest last; a run that did not clear is slower than any that did.
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) {
        return a.cleared != b.cleared ? a.cleared : a.gameMs < b.gameMs;
    });
    std::vector<int> lost;
    int cleared = 0;
    for (const Run& run : runs) {
        lost.push_back(run.lostBalls);
        cleared += run.cleared ? 1 : 0;
    }
    std::sort(lost.begin(), lost.end());
    std::string neverHit;
    for (int cell = 0; cell < CELLS; ++cell) {
        if (start[cell] > 0 && !hit[cell]) {
            neverHit += (neverHit.empty() ? "" : " ") + std::to_string(cell / COLS + 1) + ":" +
                        std::to_string(cell % COLS + 1);
        }
    }
    const Run& median = runs[runs.size() / 2];
    std::printf("| %d | %d | %d | %d of %d | %s | %s | %d / %d | %s |\n", number, bricks,
                LivesIn(start), cleared, seeds, TimeOf(median).c_str(), TimeOf(runs.back()).c_str(),
                lost[lost.size() / 2], lost.back(), neverHit.empty() ? "none" : neverHit.c_str());
    totals.medianMs += median.gameMs;
    totals.worstMs += runs.back().gameMs;
    totals.levels += 1;
    totals.notCleared += seeds - cleared;
}

void MeasureAll(int seeds, int limitSeconds) {
    std::printf(
        "Simulated player, %d run%s a level, at most %d s each; time is game time (7 ms a frame "
        "and 1 s after each lost ball).\n\n",
        seeds, seeds == 1 ? "" : "s", limitSeconds);
    std::printf(
        "| Level | Bricks | Lives | Cleared | Median | Worst | Balls lost (median / worst) | "
        "Never hit (row:column) |\n");
    std::printf("|---:|---:|---:|---|---:|---:|---:|---|\n");
    Totals totals;
    for (int number = NextLevelNumber(0); number != NO_LEVEL; number = NextLevelNumber(number)) {
        LoadLevel(number);
        // Play passes over a level without bricks at once.
        if (!theBricks.empty()) {
            MeasureLevel(number, seeds, limitSeconds, totals);
        }
    }
    std::printf("\n%d level%s: %s with each level's median run, %s with each level's worst",
                totals.levels, totals.levels == 1 ? "" : "s", Clock(totals.medianMs).c_str(),
                Clock(totals.worstMs).c_str());
    if (totals.notCleared > 0) {
        std::printf("; %d run%s did not clear %s level", totals.notCleared,
                    totals.notCleared == 1 ? "" : "s", totals.notCleared == 1 ? "its" : "their");
    }
    std::printf(".\n");
}

int Usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--seeds N] [--limit SECONDS] LEVEL_MAP_FILE\n", program);
    return 2;
}

// The game reads its level map by the name "levelmaps" in the working folder: the file to
// measure is copied into a folder of the program's own under that name.
bool EnterScratchFolder(const fs::path& levelMap, fs::path& folder) {
    std::string pattern = (fs::temp_directory_path() / "zem-measure-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return false;
    }
    folder = pattern;
    std::error_code failed;
    fs::copy_file(levelMap, folder / LEVEL_FILE, failed);
    return !failed && chdir(folder.c_str()) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    int seeds = DEFAULT_SEEDS;
    int limitSeconds = DEFAULT_LIMIT_SECONDS;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seeds" && i + 1 < argc) {
            seeds = std::atoi(argv[++i]);
        } else if (arg == "--limit" && i + 1 < argc) {
            limitSeconds = std::atoi(argv[++i]);
        } else if (file.empty() && arg.rfind("--", 0) != 0) {
            file = arg;
        } else {
            return Usage(argv[0]);
        }
    }
    if (file.empty() || seeds < 1 || limitSeconds < 1) {
        return Usage(argv[0]);
    }
    if (!fs::is_regular_file(file)) {
        std::fprintf(stderr, "measure_levels: no level map file %s\n", file.c_str());
        return 1;
    }

    // Nobody watches: the dummy driver, and a window of one pixel, so that each frame's drawing
    // costs next to nothing. The play itself never looks at the screen.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ZEM_UseGame(GAME);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "measure_levels: %s\n", SDL_GetError());
        return 1;
    }
    screen = SDL_SetVideoMode(1, 1, 32, SDL_SWSURFACE);
    fs::path folder;
    const bool ready = screen != nullptr && EnterScratchFolder(fs::absolute(file), folder);
    if (ready) {
        MeasureAll(seeds, limitSeconds);
    } else {
        std::fprintf(stderr, "measure_levels: cannot prepare the measuring\n");
    }
    if (!folder.empty()) {
        fs::remove_all(folder);
    }
    SDL_Quit();
    return ready ? 0 : 1;
}
