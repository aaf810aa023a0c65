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
// The choice of "Play" sounds first; then, in the game's second of stillness, nothing.
const double QUIET_SECONDS = 0.5;
// Enough recording after the first brick is hit for its buffer to be mixed and written.
const double SECONDS_AFTER_HIT = 1.0;
// A full first row of bricks right above the paddle, which the served ball soon knocks.
const char* const FULL_FIRST_ROW = "level_1\n1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\n0\n";
const int TOP_WALL_Y = 0;
const int WALL_ROWS = 20;

std::vector<short> ReadSamples(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    std::vector<short> samples(bytes.size() / SAMPLE_BYTES);
    std::copy(bytes.begin(), bytes.begin() + samples.size() * SAMPLE_BYTES,
              reinterpret_cast<char*>(samples.data()));
    return samples;
}

// Waits, while the game runs, until the recording has grown by this many seconds. The
// driver writes at its own pace, which need not be the wall clock's.
void WaitForMoreRecording(GameProcess& game, const std::string& fileName, double seconds) {
    std::error_code error;
    const std::uintmax_t wanted = std::filesystem::file_size(fileName, error) +
                                  static_cast<std::uintmax_t>(seconds * RATE * SAMPLE_BYTES);
    const Clock::time_point start = Clock::now();
    while (std::filesystem::file_size(fileName, error) < wanted || error) {
        if (!game.Running() || Clock::now() - start > DEFAULT_TIMEOUT) {
            ADD_FAILURE() << "the sound recording did not grow by " << seconds << " s";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// Whether a sound follows the first one after a stretch of silence: the first is the
// choice of "Play", anything after the stillness is play.
bool PlayHeardAfterTheChoice(const std::vector<short>& samples) {
    auto sound = std::find_if(samples.begin(), samples.end(), [](short s) { return s != 0; });
    auto quiet =
        std::search_n(sound, samples.end(), static_cast<long>(QUIET_SECONDS * RATE), short{0});
    return std::any_of(quiet, samples.end(), [](short s) { return s != 0; });
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
    const WallLine firstHit("Level: 1   ---   Score: 1   ---   High Score: 1", TOP_WALL_Y,
                            WALL_ROWS);
    for (const SoundRun& run : RUNS) {
        SCOPED_TRACE(run.what);
        ScratchDir dir;
        dir.CopyStartupFiles();
        dir.WriteFile("levelmaps", FULL_FIRST_ROW);
        const std::string recording = dir.Path() + "/sound.raw";
        GameProcess game(
            GameFile("brixolan"), dir.Path(),
            {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + recording, "SDL_DISKAUDIODELAY=11"},
            run.arguments);
        ASSERT_TRUE(game.WaitForWindow());
        game.WaitUntil("the main menu", MainMenuShown);
        game.Press(run.firstKeys);
        game.Press("Return");
        game.WaitUntil("the first brick hit",
                       [&firstHit](const Screenshot& shot) { return firstHit.ShownIn(shot); });
        WaitForMoreRecording(game, recording, SECONDS_AFTER_HIT);
        game.RequestClose();
        EXPECT_EQ(game.WaitForExit(), 0);

        const std::vector<short> samples = ReadSamples(recording);
        ASSERT_GT(samples.size(), static_cast<size_t>(SECONDS_AFTER_HIT * RATE));
        const bool silent =
            std::all_of(samples.begin(), samples.end(), [](short s) { return s == 0; });
        EXPECT_EQ(!silent, run.heard);
        if (run.heard) {
            EXPECT_TRUE(PlayHeardAfterTheChoice(samples)) << "nothing heard from play";
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
        GameProcess game(GameFile(program), dir.Path(), {"SDL_AUDIODRIVER"});
        ASSERT_TRUE(game.WaitForWindow());
        game.WaitUntil("the main menu", MainMenuShown);
        game.Press("Down Down Return");
        EXPECT_EQ(game.WaitForExit(), 0);
        EXPECT_EQ(game.Errors(), "");
    }
}
