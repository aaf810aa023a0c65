// Each game's step of the rules, put back and played again: from a saved state, the same
// controls give the same states and sounds frame by frame, and the checksums tell states apart.

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "brixolan/game.h"
#include "brixolan/round.h"
#include "framework/state_hash.h"
#include "shell/controls.h"
#include "shell/game.h"
#include "tamu/duel.h"
#include "tamu/game.h"
#include "tests/support/scratch_dir.h"

namespace {

// One frame's controls for both paddles: 'L', 'R', 'B' (both) or '-' for each.
struct ControlsScript {
    const char* what;
    int framesBefore;                 // played before the state is saved
    std::vector<std::string> frames;  // "bottom top" pairs, repeated to fill the run
};

const ControlsScript SCRIPTS[] = {
    {"nothing held", 0, {"--"}},
    {"the bottom paddle steered left, the top right", 30, {"LR"}},
    {"both keys of each pair", 5, {"BB", "B-", "-B"}},
    {"turning every few frames", 200, {"LL", "LL", "LL", "RR", "RR", "-R", "R-", "--"}},
    {"a long way into the duel, turning", 2000, {"RL", "RL", "RL", "RL", "LR", "LR", "--"}},
};

PaddleControls Held(char c) {
    PaddleControls controls;
    controls.left = c == 'L' || c == 'B';
    controls.right = c == 'R' || c == 'B';
    return controls;
}

void ControlsAt(const ControlsScript& script, int frame, PaddleControls controls[PADDLES]) {
    const std::string& pair = script.frames[frame % script.frames.size()];
    controls[BOTTOM_PADDLE] = Held(pair[0]);
    controls[TOP_PADDLE] = Held(pair[1]);
}

// What a game's step offers the test, with its state held as raw bytes so that one driver
// serves every game.
struct SteppedGame {
    const char* name;
    std::function<void()> begin;
    std::function<std::vector<unsigned char>()> save;
    std::function<void(const std::vector<unsigned char>&)> restore;
    std::function<std::uint32_t(const PaddleControls*)> step;
    std::function<std::uint32_t(const std::vector<unsigned char>&)> checksum;
};

template <typename State>
std::vector<unsigned char> Bytes(const State& state) {
    static_assert(std::has_unique_object_representations<State>::value, "no padding");
    std::vector<unsigned char> bytes(sizeof state);
    std::memcpy(bytes.data(), &state, sizeof state);
    return bytes;
}

template <typename State>
State Value(const std::vector<unsigned char>& bytes) {
    State state;
    std::memcpy(&state, bytes.data(), sizeof state);
    return state;
}

// What a round's frame did beyond its state, as one number to compare.
std::uint32_t NewsOf(const brixolan::RoundNews& news) {
    StateHash hash;
    for (int at = 0; at < news.sounds.count; ++at) {
        hash.Add(static_cast<std::int32_t>(news.sounds.sounds[at]));
    }
    hash.Add(news.ballsLost);
    hash.Add(news.allLevelsCleared);
    return hash.Value();
}

const SteppedGame GAMES[] = {
    {"tamu",
     [] {
         ZEM_UseGame(tamu::GAME);
         tamu::RestoreDuel(tamu::OpeningDuel());
     },
     [] { return Bytes(tamu::SaveDuel()); },
     [](const std::vector<unsigned char>& bytes) {
         tamu::RestoreDuel(Value<tamu::DuelState>(bytes));
     },
     tamu::StepDuel,
     [](const std::vector<unsigned char>& bytes) {
         return tamu::DuelChecksum(Value<tamu::DuelState>(bytes));
     }},
    {"brixolan",
     [] {
         ZEM_UseGame(brixolan::GAME);
         brixolan::BeginRound();
     },
     [] { return Bytes(brixolan::SaveRound()); },
     [](const std::vector<unsigned char>& bytes) {
         brixolan::RestoreRound(Value<brixolan::RoundState>(bytes));
     },
     [](const PaddleControls* controls) { return NewsOf(brixolan::StepRound(controls)); },
     [](const std::vector<unsigned char>& bytes) {
         return brixolan::RoundChecksum(Value<brixolan::RoundState>(bytes));
     }},
};

struct Frame {
    std::vector<unsigned char> state;
    std::uint32_t checksum;
    std::uint32_t sounds;
};

std::vector<Frame> Play(const SteppedGame& game, const ControlsScript& script, int from,
                        int frames) {
    std::vector<Frame> played;
    for (int frame = from; frame < from + frames; ++frame) {
        PaddleControls controls[PADDLES];
        ControlsAt(script, frame, controls);
        const std::uint32_t sounds = game.step(controls);
        const std::vector<unsigned char> state = game.save();
        played.push_back({state, game.checksum(state), sounds});
    }
    return played;
}

const int REPLAYED_FRAMES = 600;

TEST(StepReplayTest, ASavedStatePlayedAgainFromTheSameControlsGivesTheSameFrames) {
    ScratchDir dir;  // brixolan's levels come from the working folder
    dir.CopyGameFile("levelmaps");
    for (const SteppedGame& game : GAMES) {
        for (const ControlsScript& script : SCRIPTS) {
            SCOPED_TRACE(std::string(game.name) + ": " + script.what);
            game.begin();
            Play(game, script, 0, script.framesBefore);
            const std::vector<unsigned char> saved = game.save();
            const std::vector<Frame> first =
                Play(game, script, script.framesBefore, REPLAYED_FRAMES);

            game.restore(saved);
            ASSERT_EQ(game.save(), saved);
            const std::vector<Frame> again =
                Play(game, script, script.framesBefore, REPLAYED_FRAMES);

            for (int frame = 0; frame < REPLAYED_FRAMES; ++frame) {
                ASSERT_EQ(again[frame].checksum, first[frame].checksum) << "frame " << frame;
                ASSERT_EQ(again[frame].state, first[frame].state) << "frame " << frame;
                ASSERT_EQ(again[frame].sounds, first[frame].sounds) << "frame " << frame;
            }
            // The run is no replay of a standing state: the ball moved, so the checksums did.
            EXPECT_NE(first.front().checksum, first.back().checksum);
        }
    }
}

// A different value in any one field gives a different checksum, whichever field it is.
// (A field the game does not keep, such as a brick slot past the bricks in play, comes back
// from a restore as it always is and so does not count.)
TEST(StepReplayTest, EveryFieldOfTheStateCountsInTheChecksum) {
    ScratchDir dir;
    dir.CopyGameFile("levelmaps");
    for (const SteppedGame& game : GAMES) {
        SCOPED_TRACE(game.name);
        game.begin();
        const std::vector<unsigned char> start = game.save();
        const std::uint32_t plain = game.checksum(start);
        int counted = 0;
        for (std::size_t at = 0; at + sizeof(int) <= start.size(); at += sizeof(int)) {
            std::vector<unsigned char> changed = start;
            changed[at] ^= 1;
            game.restore(changed);
            if (game.save() == start) {
                continue;
            }
            ++counted;
            EXPECT_NE(game.checksum(changed), plain) << "byte " << at;
        }
        EXPECT_GT(counted, 10);
    }
}

}  // namespace
