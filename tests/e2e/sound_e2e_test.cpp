// The games heard from outside: SDL's "disk" sound driver records what they mix into a file,
// and a start on a machine without a sound device says nothing on its error stream.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/harness.h"
#include "tests/e2e/play_screen.h"
#include "tests/support/scratch_dir.h"

namespace {

// The recording: mono 16-bit samples, 44100 a second.
const int RATE = 44100;
const int SAMPLE_BYTES = 2;
// Long enough for the second of stillness before play and the ball's climb to the bricks.
const double RECORDED_SECONDS = 4.5;
// The first sound is the choice of "Play"; nothing can sound in the second that follows it.
const double STILLNESS_SECONDS = 1.0;
// A full first row of bricks right above the paddle, which the served ball soon knocks.
const char* const FULL_FIRST_ROW = "level_1\n1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n0\n";

std::vector<short> ReadSamples(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    std::vector<short> samples(bytes.size() / SAMPLE_BYTES);
    std::copy(bytes.begin(), bytes.begin() + samples.size() * SAMPLE_BYTES,
              reinterpret_cast<char*>(samples.data()));
    return samples;
}

// Waits, while the game runs, until the driver has written this many seconds of sound.
void WaitForRecording(GameProcess& game, const std::string& fileName) {
    const auto wanted = static_cast<std::uintmax_t>(RECORDED_SECONDS * RATE * SAMPLE_BYTES);
    const Clock::time_point start = Clock::now();
    std::error_code error;
    while (std::filesystem::file_size(fileName, error) < wanted || error) {
        if (!game.Running() || Clock::now() - start > DEFAULT_TIMEOUT) {
            ADD_FAILURE() << "the sound recording did not reach " << RECORDED_SECONDS << " s";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

struct SoundRun {
    const char* what;
    std::vector<std::string> arguments;
    const char* firstKeys;  // pressed on the main menu before "Play" is chosen
    bool heard;
    const char* settingsAfter;  // null: no settings file
};

const SoundRun RUNS[] = {
    {"a plain run", {}, "", true, nullptr},
    {"--mute", {"--mute"}, "", false, nullptr},
    {"M on the main menu", {}, "m", false, "mute = 1\n"},
};

}  // namespace

// Play is heard: the choice of "Play", then, after the second of stillness, the ball at the
// bricks. Silenced by --mute for one run, or by M, which is remembered.
TEST(SoundEndToEnd, PlayIsHeardAndMuteOrMSilencesIt) {
    for (const SoundRun& run : RUNS) {
        SCOPED_TRACE(run.what);
        ScratchDir dir;
        dir.CopyStartupFiles();
        dir.WriteFile("levelmaps", FULL_FIRST_ROW);
        const std::string recording = dir.Path() + "/sound.raw";
        RunOptions options;
        options.arguments = run.arguments;
        options.environment = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + recording,
                               "SDL_DISKAUDIODELAY=11"};
        GameProcess game(GameFile("brixolan"), dir.Path(), options);
        ASSERT_TRUE(game.WaitForWindow());
        game.WaitUntil("the main menu", MainMenuShown);
        game.Press(run.firstKeys);
        game.Press("Return");
        WaitForRecording(game, recording);
        game.RequestClose();
        EXPECT_EQ(game.WaitForExit(), 0);

        const std::vector<short> samples = ReadSamples(recording);
        const auto first = std::find_if(samples.begin(), samples.end(), [](short s) { return s; });
        if (!run.heard) {
            EXPECT_TRUE(first == samples.end()) << "a sound at sample " << first - samples.begin();
        } else if (first == samples.end()) {
            ADD_FAILURE() << "nothing heard in " << samples.size() << " samples";
        } else {
            const auto afterStillness =
                first + std::min<long>(samples.end() - first, STILLNESS_SECONDS * RATE);
            EXPECT_TRUE(std::any_of(afterStillness, samples.end(), [](short s) { return s; }))
                << "nothing heard from play";
        }
        EXPECT_EQ(dir.Exists("settings"), run.settingsAfter != nullptr);
        if (run.settingsAfter != nullptr) {
            EXPECT_EQ(dir.ReadFile("settings"), run.settingsAfter);
        }
    }
}

// Where SDL finds no sound device (as on a machine without sound), the sound library's
// complaints used to fill the terminal at every start.
TEST(SoundEndToEnd, AStartWithoutASoundDeviceSaysNothing) {
    for (const char* program : {"brixolan", "tamu"}) {
        SCOPED_TRACE(program);
        ScratchDir dir;
        dir.CopyStartupFiles();
        RunOptions options;
        options.environment = {"SDL_AUDIODRIVER"};
        options.errorFile = dir.Path() + "/stderr.txt";
        GameProcess game(GameFile(program), dir.Path(), options);
        ASSERT_TRUE(game.WaitForWindow());
        game.WaitUntil("the main menu", MainMenuShown);
        game.Press("Down Down Return");
        EXPECT_EQ(game.WaitForExit(), 0);
        EXPECT_EQ(dir.ReadFile("stderr.txt"), "");
    }
}
