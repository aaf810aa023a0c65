// Pacing under a real X server: the game starts up as its entry function does, then runs its
// main loop (the top state's function, then the pacer, while the stack holds a state) for a
// given time, on the main menu or in play, and writes one line of JSON about the passes:
// how many per second, the spread of their intervals and the CPU time the process used.
//
// The loop is the game's own loop with two additions per pass: the clock is read once after
// the pacer returns, and during play a stand-in player holds the steering keys. Nothing in
// the game is changed for it.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_game.h"
#include "bench/pace_player.h"
#include "framework/key_press.h"
#include "framework/present.h"
#include "tests/support/all_games.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/screens.h"
#include "shell/main_loop.h"

namespace {

using Clock = std::chrono::steady_clock;

// Long enough for the window to be mapped and the first frames flushed before measuring.
const double WARM_UP_SECONDS = 1.0;
// Passes allowed for the main menu to take the queued Enter ("Play" is selected first).
const int PASSES_TO_START_PLAY = 1000;
// A pass this long is one of the game's own seconds of stillness (a lost ball), not pacing.
const double STILLNESS_MS = 500.0;
const double PERCENTILE_99 = 0.99;

struct CpuTimes {
    double process = 0;     // seconds, every thread of the process
    double mainThread = 0;  // seconds, the thread that runs the game
    double xServer = 0;     // seconds, the X server (when bench/pacing names its process)
};

// utime and stime, fields 14 and 15 of a stat line; the name in field 2 may hold blanks.
double StatSeconds(const std::string& statFile) {
    std::ifstream file(statFile);
    std::string line;
    std::getline(file, line);
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos) {
        return 0;
    }
    std::istringstream fields(line.substr(nameEnd + 2));
    std::string field;
    double ticks = 0;
    // After the name: state is field 3, so utime (14) and stime (15) are the 12th and 13th.
    for (int index = 3; index <= 15 && fields >> field; ++index) {
        if (index >= 14) {
            ticks += std::stod(field);
        }
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

CpuTimes ReadCpu() {
    CpuTimes times;
    times.process = StatSeconds("/proc/self/stat");
    times.mainThread = StatSeconds("/proc/self/task/" + std::to_string(getpid()) + "/stat");
    const char* server = std::getenv("PACING_XSERVER_PID");
    if (server != nullptr) {
        times.xServer = StatSeconds(std::string("/proc/") + server + "/stat");
    }
    return times;
}

std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one;
    file >> one;
    return one;
}

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// Time spent presenting: SDL's own calls, timed through the present hook.
struct PresentTimes {
    int count = 0;
    double seconds = 0;
} presentTimes;

void TimedFlip(SDL_Surface* surface) {
    const Clock::time_point start = Clock::now();
    SDL_Flip(surface);
    presentTimes.seconds += Seconds(Clock::now() - start);
    ++presentTimes.count;
}

void TimedUpdateRects(SDL_Surface* surface, int count, SDL_Rect* rects) {
    const Clock::time_point start = Clock::now();
    SDL_UpdateRects(surface, count, rects);
    presentTimes.seconds += Seconds(Clock::now() - start);
    ++presentTimes.count;
}

// One pass of the game's main loop.
void RunPass(bool steering) {
    if (steering) {
        HoldKeysLikeAPlayer();
    }
    void (*state)() = StateStack.top().statePointer;
    state();
    game->CapFrameRate();
}

bool TopIs(void (*state)()) {
    return !StateStack.empty() && StateStack.top().statePointer == state;
}

// The main menu takes the queued Enter on "Play" like any other key press.
bool ChoosePlay() {
    PushEnter();
    for (int pass = 0; pass < PASSES_TO_START_PLAY && TopIs(MenuState); ++pass) {
        RunPass(false);
    }
    return TopIs(game->PlayState);
}

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

struct Run {
    std::vector<double> intervalsMs;
    int stillPasses = 0;
    double stillSeconds = 0;
    double seconds = 0;
    CpuTimes cpu;
    std::string endedBy = "time";
};

// The run's length and the CPU its processes used since cpuStart.
void EndRun(Run& run, const CpuTimes& cpuStart, Clock::duration length) {
    const CpuTimes cpuEnd = ReadCpu();
    run.seconds = Seconds(length);
    run.cpu.process = cpuEnd.process - cpuStart.process;
    run.cpu.mainThread = cpuEnd.mainThread - cpuStart.mainThread;
    run.cpu.xServer = cpuEnd.xServer - cpuStart.xServer;
}

Run Measure(double seconds, bool play) {
    void (*expected)() = play ? game->PlayState : MenuState;
    const Clock::time_point warmEnd =
        Clock::now() +
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(WARM_UP_SECONDS));
    while (Clock::now() < warmEnd && TopIs(expected)) {
        RunPass(play);
    }

    Run run;
    const CpuTimes cpuStart = ReadCpu();
    presentTimes = PresentTimes{};
    const Clock::time_point start = Clock::now();
    Clock::time_point last = start;
    while (Seconds(last - start) < seconds) {
        if (!TopIs(expected)) {
            run.endedBy = "the game left the screen";
            break;
        }
        RunPass(play);
        const Clock::time_point now = Clock::now();
        const double intervalMs = Seconds(now - last) * 1000.0;
        last = now;
        if (intervalMs >= STILLNESS_MS) {
            ++run.stillPasses;
            run.stillSeconds += intervalMs / 1000.0;
        } else {
            run.intervalsMs.push_back(intervalMs);
        }
    }
    EndRun(run, cpuStart, last - start);
    return run;
}

// The loop every window needs at the least, for comparison: it only takes the queued events
// and sleeps out the pass at the game's cap, as the pacers do.
void BarePass() {
    SDL_Event queued;
    while (SDL_PollEvent(&queued) != 0) {
    }
    WaitOutFrame(PACED_PERIOD_MS);
    lastFrame = timer.GetTicks();
}

Run MeasureBare(double seconds) {
    for (const Clock::time_point warmEnd = Clock::now() + std::chrono::seconds(1);
         Clock::now() < warmEnd;) {
        BarePass();
    }
    Run run;
    const CpuTimes cpuStart = ReadCpu();
    const Clock::time_point start = Clock::now();
    Clock::time_point last = start;
    while (Seconds(last - start) < seconds) {
        BarePass();
        const Clock::time_point now = Clock::now();
        run.intervalsMs.push_back(Seconds(now - last) * 1000.0);
        last = now;
    }
    EndRun(run, cpuStart, last - start);
    return run;
}

// A screen that waits inside its call for Enter (help, pause): while the game's thread is in
// it, another thread lets it settle, measures it for the given time and then presses Enter.
Run MeasureWaitingScreen(double seconds) {
    Run run;
    std::thread watcher([&run, seconds] {
        std::this_thread::sleep_for(std::chrono::duration<double>(WARM_UP_SECONDS));
        const CpuTimes cpuStart = ReadCpu();
        presentTimes = PresentTimes{};
        const Clock::time_point start = Clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        const CpuTimes cpuEnd = ReadCpu();
        run.seconds = Seconds(Clock::now() - start);
        run.cpu.process = cpuEnd.process - cpuStart.process;
        run.cpu.mainThread = cpuEnd.mainThread - cpuStart.mainThread;
        run.cpu.xServer = cpuEnd.xServer - cpuStart.xServer;
        ZEM_PushKeyPress(SDLK_RETURN);
    });
    RunPass(false);
    watcher.join();
    return run;
}

// Help: "Help" chosen on the main menu. Pause: the pause key in play.
bool OpenWaitingScreen(const std::string& screenName) {
    if (screenName == "help") {
        ZEM_PushKeyPress(SDLK_DOWN);
        ZEM_PushKeyPress(SDLK_RETURN);
        for (int pass = 0; pass < PASSES_TO_START_PLAY && TopIs(MenuState); ++pass) {
            RunPass(false);
        }
        return TopIs(HelpState);
    }
    if (!ChoosePlay()) {
        return false;
    }
    ZEM_PushKeyPress(SDLK_p);
    RunPass(true);
    return TopIs(PauseState);
}

void Report(const Run& run, const char* screenName) {
    const double paced = run.seconds - run.stillSeconds;
    const double passes = static_cast<double>(run.intervalsMs.size());
    std::printf(
        "{\"game\": \"%s\", \"screen\": \"%s\", \"seconds\": %.3f, \"passes\": %d, "
        "\"passes_per_second\": %.2f, \"cap\": %.2f, \"interval_min_ms\": %.3f, "
        "\"interval_median_ms\": %.3f, \"interval_p99_ms\": %.3f, \"interval_max_ms\": %.3f, "
        "\"cpu_percent\": %.2f, \"main_thread_cpu_percent\": %.2f, "
        "\"xserver_cpu_percent\": %.2f, \"presents\": %d, \"present_ms\": %.4f, "
        "\"still_passes\": %d, "
        "\"ended_by\": \"%s\", \"load_average\": \"%s\", \"sdl\": \"%s\"}\n",
        PACED_GAME, screenName, run.seconds, static_cast<int>(passes),
        paced > 0 ? passes / paced : 0.0, 1000.0 / PACED_PERIOD_MS, Percentile(run.intervalsMs, 0),
        Percentile(run.intervalsMs, 0.5), Percentile(run.intervalsMs, PERCENTILE_99),
        Percentile(run.intervalsMs, 1),
        run.seconds > 0 ? 100.0 * run.cpu.process / run.seconds : 0.0,
        run.seconds > 0 ? 100.0 * run.cpu.mainThread / run.seconds : 0.0,
        run.seconds > 0 ? 100.0 * run.cpu.xServer / run.seconds : 0.0, presentTimes.count,
        presentTimes.count > 0 ? 1000.0 * presentTimes.seconds / presentTimes.count : 0.0,
        run.stillPasses, run.endedBy.c_str(), LoadAverage().c_str(), SdlDescription().c_str());
}

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s bare|menu|help|pause|play SECONDS  (DISPLAY must name an X server)\n",
                 program);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return Usage(argv[0]);
    }
    const std::string screenName = argv[1];
    const double seconds = std::atof(argv[2]);
    const bool known = screenName == "bare" || screenName == "menu" || screenName == "help" ||
                       screenName == "pause" || screenName == "play";
    if (!known || seconds <= 0) {
        return Usage(argv[0]);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ZEM_SetPresenter(TimedFlip, TimedUpdateRects);
    if (!StartGameForBench(*GameNamed(PACED_GAME), ZEM_GAME_DIR)) {
        std::fprintf(stderr, "%s: the game could not start\n", argv[0]);
        return 1;
    }
    const bool play = screenName == "play";
    const bool waiting = screenName == "help" || screenName == "pause";
    if ((play && !ChoosePlay()) || (waiting && !OpenWaitingScreen(screenName))) {
        std::fprintf(stderr, "%s: the main menu did not open the %s screen\n", argv[0],
                     screenName.c_str());
        StopGameForBench();
        return 1;
    }
    Run run;
    if (screenName == "bare") {
        run = MeasureBare(seconds);
    } else if (waiting) {
        run = MeasureWaitingScreen(seconds);
    } else {
        run = Measure(seconds, play);
    }
    Report(run, screenName == "menu" ? "main menu" : screenName.c_str());
    StopGameForBench();
    return 0;
}
