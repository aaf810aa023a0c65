// The game killed outright while it writes "hiscore" at its end: whenever the kill lands, the
// file holds the old score or the new one, whole, and the next normal end clears away any
// temporary file the kill left.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "shell/hiscore.h"
#include "shell/main_loop.h"
#include "tests/robustness/game_session.h"

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

    // Starts the game over the old score in a child that plays a frame and closes the window,
    // and returns once the child says its shut-down (and with it the write) begins.
    void StartGameUntilShutdown(pid_t& child) {
        dir.WriteFile(HISCORE_FILE, OLD_SCORE);
        int channel[2];
        ASSERT_EQ(pipe(channel), 0);
        fflush(nullptr);
        child = fork();
        if (child == 0) {
            close(channel[0]);
            bool told = false;
            _exit(RunGame(1, [tell = channel[1], &told] {
                if (StateStack.empty() && !told) {
                    told = write(tell, &SHUTTING_DOWN, 1) == 1;
                }
            }));
        }
        close(channel[1]);
        char said = 0;
        const bool begun = read(channel[0], &said, 1) == 1 && said == SHUTTING_DOWN;
        close(channel[0]);
        ASSERT_TRUE(begun) << "the game did not reach its end";
    }

    // How long the shut-down takes when nobody interferes.
    Clock::duration ShutdownTime() {
        Clock::duration longest{};
        for (int run = 0; run < CALIBRATION_RUNS; ++run) {
            pid_t child = -1;
            StartGameUntilShutdown(child);
            if (HasFatalFailure()) {
                return {};
            }
            Clock::time_point begun = Clock::now();
            int status = 0;
            EXPECT_EQ(waitpid(child, &status, 0), child);
            longest = std::max(longest, Clock::now() - begun);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            EXPECT_EQ(dir.ReadFile(HISCORE_FILE), NEW_SCORE) << "an undisturbed end saves";
        }
        return longest;
    }

    // The temporary files kills left beside "hiscore".
    std::set<std::string> Leftovers() {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.Path())) {
            const std::string name = entry.path().filename().string();
            if (name != HISCORE_FILE && name.rfind(HISCORE_FILE, 0) == 0) {
                names.insert(name);
            }
        }
        return names;
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
    std::set<std::string> seen;

    for (int kill = 0; kill < KILLS; ++kill) {
        pid_t child = -1;
        ASSERT_NO_FATAL_FAILURE(StartGameUntilShutdown(child));
        Spin(Clock::duration(moment(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);

        const std::string left = dir.ReadFile(HISCORE_FILE);
        ASSERT_TRUE(left == OLD_SCORE || left == NEW_SCORE)
            << "kill " << kill << " left " << Shown(left);
        oldKept += left == OLD_SCORE ? 1 : 0;
        newKept += left == NEW_SCORE ? 1 : 0;
        // Each new name is a write this kill cut short; older ones a later end cleared away.
        bool newLeftover = false;
        for (const std::string& name : Leftovers()) {
            newLeftover = seen.insert(name).second || newLeftover;
        }
        cutShort += newLeftover ? 1 : 0;
    }
    // The next undisturbed end saves and leaves nothing of the killed writes behind.
    ShutdownTime();
    EXPECT_TRUE(Leftovers().empty());

    // Kills before the new file took the old one's place and kills after it both happened;
    // otherwise the moments missed the write and the test proved nothing.
    EXPECT_GT(oldKept, 0);
    EXPECT_GT(newKept, 0);
    std::printf("%d kills: old score kept %d times, new score %d times, %d mid-write\n", KILLS,
                oldKept, newKept, cutShort);
}
