// The game killed outright while it writes "hiscore" at its end: whenever the kill lands, the
// file holds the old score or the new one, whole.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "SDL.h"
#include "shell/globals.h"
#include "shell/hiscore.h"
#include "shell/startup.h"
#include "shell/state_stack.h"
#include "tests/robustness/game_session.h"
#include "tests/support/sdl_test.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const int KILLS = 200;
const int CALIBRATION_RUNS = 3;
// Old and new scores of different lengths, so that a cut or mixed file can't pass for either.
const char* const OLD_SCORE = "-1234567";
const char* const NEW_SCORE = "0";  // the first frame of play raises any negative score to 0
const char SHUTTING_DOWN = 'x';

class HighScoreCrashTest : public GameSessionTest {
protected:
    void SetUp() override {
        GameSessionTest::SetUp();
        dir.CopyStartupFiles();
    }

    // Starts the game in a child that plays one frame and closes the window; the child says
    // when the main loop is over and the shut-down (and with it the write) begins.
    pid_t StartGame(int& shutdownSignal) {
        int channel[2];
        EXPECT_EQ(pipe(channel), 0);
        fflush(nullptr);
        pid_t child = fork();
        if (child == 0) {
            close(channel[0]);
            const int tell = channel[1];
            bool told = false;
            FakeClock::OnDelay([tell, &told](Uint32) {
                if (FakeClock::Delays().size() == 1) {
                    PushKeyDown(SDLK_RETURN);  // Play
                    PushQuit();                // closes the window in the first frame
                }
                if (StateStack.empty() && !told) {
                    told = write(tell, &SHUTTING_DOWN, 1) == 1;
                }
            });
            char program[] = "brixolan";
            char* argv[] = {program, nullptr};
            _exit(SDL_main(1, argv));
        }
        close(channel[1]);
        shutdownSignal = channel[0];
        return child;
    }

    // Waits for the shut-down to begin; false when the child never got there.
    static bool AwaitShutdown(int shutdownSignal) {
        char said = 0;
        bool begun = read(shutdownSignal, &said, 1) == 1 && said == SHUTTING_DOWN;
        close(shutdownSignal);
        return begun;
    }

    // How long the shut-down takes when nobody interferes.
    Clock::duration ShutdownTime() {
        Clock::duration longest{};
        for (int run = 0; run < CALIBRATION_RUNS; ++run) {
            dir.WriteFile(HISCORE_FILE, OLD_SCORE);
            int signal = -1;
            pid_t child = StartGame(signal);
            EXPECT_TRUE(AwaitShutdown(signal));
            Clock::time_point begun = Clock::now();
            int status = 0;
            EXPECT_EQ(waitpid(child, &status, 0), child);
            longest = std::max(longest, Clock::now() - begun);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            EXPECT_EQ(dir.ReadFile(HISCORE_FILE), NEW_SCORE) << "an undisturbed end saves";
        }
        return longest;
    }

    int RemoveLeftovers() {
        int leftovers = 0;
        for (const auto& entry : fs::directory_iterator(dir.Path())) {
            const std::string name = entry.path().filename().string();
            if (name != HISCORE_FILE && name.rfind(HISCORE_FILE, 0) == 0) {
                fs::remove(entry.path());
                ++leftovers;
            }
        }
        return leftovers;
    }
};

// Busy-waits: the kill has to land at a moment of the child's own work, not ours.
void Spin(Clock::duration length) {
    const Clock::time_point until = Clock::now() + length;
    while (Clock::now() < until) {
    }
}

}  // namespace

TEST_F(HighScoreCrashTest, AKillAtAnyMomentOfTheShutdownLeavesTheOldOrTheNewScoreWhole) {
    const Clock::duration window = ShutdownTime() * 3 / 2;
    ASSERT_GT(window.count(), 0);
    std::mt19937 random(20240611);
    std::uniform_int_distribution<Clock::rep> moment(0, window.count());
    int oldKept = 0;
    int newKept = 0;
    int cutShort = 0;

    for (int kill = 0; kill < KILLS; ++kill) {
        dir.WriteFile(HISCORE_FILE, OLD_SCORE);
        int signal = -1;
        pid_t child = StartGame(signal);
        ASSERT_TRUE(AwaitShutdown(signal)) << "the game did not reach its end";
        Spin(Clock::duration(moment(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);

        const std::string left = dir.ReadFile(HISCORE_FILE);
        ASSERT_TRUE(left == OLD_SCORE || left == NEW_SCORE)
            << "kill " << kill << " left " << Shown(left);
        oldKept += left == OLD_SCORE ? 1 : 0;
        newKept += left == NEW_SCORE ? 1 : 0;
        cutShort += RemoveLeftovers() > 0 ? 1 : 0;
    }

    // Kills before the new file took the old one's place and kills after it both happened;
    // otherwise the moments missed the write and the test proved nothing.
    EXPECT_GT(oldKept, 0);
    EXPECT_GT(newKept, 0);
    std::printf("%d kills: old score kept %d times, new score %d times, %d mid-write\n", KILLS,
                oldKept, newKept, cutShort);
}
