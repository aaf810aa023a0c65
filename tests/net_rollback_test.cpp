#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <vector>

#include "net/rollback.h"

namespace {

// A tiny duel: two positions steered left and right, a counter, and a sound every 10 frames.
struct FakeDuel {
    std::int32_t x[2];
    std::uint32_t frames;
};

FakeDuel& Duel(DuelSnapshot& state) {
    return *reinterpret_cast<FakeDuel*>(state.bytes);
}

std::uint32_t hidden = 0;  // outside the state: a duel that reads it can't be replayed
bool readHidden = false;

std::uint32_t Step(DuelSnapshot& state, const std::uint8_t controls[2]) {
    FakeDuel& duel = Duel(state);
    for (int p = 0; p < 2; ++p) {
        duel.x[p] += (controls[p] & NET_RIGHT ? 1 : 0) - (controls[p] & NET_LEFT ? 1 : 0);
        duel.x[p] = duel.x[p] * 3 % 1000;
    }
    ++duel.frames;
    if (readHidden) {
        duel.x[0] += ++hidden % 2;
    }
    return duel.frames % 10 == 0 ? 1 : 0;
}

std::uint32_t Checksum(const DuelSnapshot& state) {
    std::uint32_t sum = 2166136261u;
    for (std::uint8_t byte : state.bytes) {
        sum = (sum ^ byte) * 16777619u;
    }
    return sum;
}

const DuelRules RULES = {Step, Checksum};

// The controls each end's player holds in a frame: changing often, so that guesses go wrong.
std::uint8_t Player(int paddle, std::uint32_t frame) {
    return static_cast<std::uint8_t>((frame / (7 + paddle * 4) + paddle) % 4) & 3;
}

struct Datagram {
    int due;
    std::vector<std::uint8_t> bytes;
};

struct LinkCase {
    const char* what;
    int delayFrames;  // each way
    int dropEvery;    // 0: none
    int inputDelay;
};

const LinkCase LINKS[] = {
    {"a cable", 0, 0, 0},
    {"a long way", 7, 0, 2},
    {"a long way without input delay", 7, 0, 0},
    {"a long way dropping some", 7, 13, 2},
    {"slower than the guess", 12, 0, 1},
};

// Plays two sessions against each other through a link that holds packets `delay` passes;
// each end sends one packet per pass. Both run the same number of passes.
TEST(NetRollback, BothEndsPlayTheSameDuelOverEveryLink) {
    for (const LinkCase& link : LINKS) {
        DuelSnapshot start;
        RollbackSession ends[2] = {RollbackSession(RULES, start, 0, link.inputDelay, 1),
                                   RollbackSession(RULES, start, 1, link.inputDelay, 1)};
        std::deque<Datagram> wire[2];  // to end 0, to end 1
        int sent = 0;
        int waits = 0;
        std::uint32_t sounds = 0;
        for (int pass = 0; pass < 3000; ++pass) {
            for (int e = 0; e < 2; ++e) {
                while (!wire[e].empty() && wire[e].front().due <= pass) {
                    ends[e].Take(wire[e].front().bytes.data(), wire[e].front().bytes.size());
                    wire[e].pop_front();
                }
                if (ends[e].CanAdvance()) {
                    const std::uint32_t s = ends[e].Advance(Player(e, ends[e].Frame()));
                    if (e == 0) {
                        sounds += s;
                    }
                } else {
                    ++waits;
                }
                std::uint8_t bytes[MAX_PACKET_BYTES];
                const std::size_t size = WritePacket(ends[e].Outgoing(), bytes);
                ++sent;
                if (link.dropEvery == 0 || sent % link.dropEvery != 0) {
                    wire[1 - e].push_back(
                        {pass + link.delayFrames, std::vector<std::uint8_t>(bytes, bytes + size)});
                }
            }
        }
        for (int e = 0; e < 2; ++e) {
            EXPECT_EQ(ends[e].DesyncFrame(), 0u) << link.what;
            EXPECT_EQ(ends[e].Refused(), 0) << link.what;
            EXPECT_GT(ends[e].ComparedFrame(), 2000u) << link.what;
        }
        // A sound is given once per frame that made it, however often the frame was replayed.
        EXPECT_EQ(sounds, ends[0].Frame() / 10) << link.what;
        if (link.delayFrames > MAX_PREDICTED_FRAMES) {
            EXPECT_GT(waits, 0) << link.what;
        }
        if (link.delayFrames > link.inputDelay) {
            EXPECT_GT(ends[0].ReplayedFrames(), 0u) << link.what;
        }
    }
}

TEST(NetRollback, TheSyncTestNamesTheFrameOfADuelThatReadsOutsideItsState) {
    DuelSnapshot start;
    for (bool cheat : {false, true}) {
        readHidden = cheat;
        RollbackSession alone(RULES, start, 0, 0, 1);
        alone.SetSyncTest(true);
        for (int i = 0; i < 500 && alone.DesyncFrame() == 0; ++i) {
            alone.Advance(Player(0, i));
        }
        if (cheat) {
            EXPECT_EQ(alone.DesyncFrame(), 1u);
        } else {
            EXPECT_EQ(alone.DesyncFrame(), 0u);
        }
    }
    readHidden = false;
}

TEST(NetRollback, DifferingDuelsStopAndNameTheFirstFrameThatDiffered) {
    DuelSnapshot start;
    DuelSnapshot other;
    Duel(other).x[1] = 5;
    RollbackSession ends[2] = {RollbackSession(RULES, start, 0, 0, 1),
                               RollbackSession(RULES, other, 1, 0, 1)};
    for (int pass = 0; pass < 50; ++pass) {
        for (int e = 0; e < 2; ++e) {
            if (ends[e].CanAdvance()) {
                ends[e].Advance(0);
            }
            std::uint8_t bytes[MAX_PACKET_BYTES];
            const std::size_t size = WritePacket(ends[e].Outgoing(), bytes);
            ends[1 - e].Take(bytes, size);
        }
    }
    EXPECT_EQ(ends[0].DesyncFrame(), 1u);
    EXPECT_EQ(ends[1].DesyncFrame(), 1u);
    EXPECT_FALSE(ends[0].CanAdvance());
}

TEST(NetRollback, PacketsOfAnotherEraOrBeyondTheWindowAreRefusedAndCounted) {
    DuelSnapshot start;
    RollbackSession end(RULES, start, 0, 0, 1);
    RollbackSession earlier(RULES, start, 1, 0, 0);
    earlier.Advance(1);
    std::uint8_t bytes[MAX_PACKET_BYTES];
    std::size_t size = WritePacket(earlier.Outgoing(), bytes);
    EXPECT_FALSE(end.Take(bytes, size));
    NetPacket far = RollbackSession(RULES, start, 1, 0, 1).Outgoing();
    far.first = 1000;
    far.count = 1;
    size = WritePacket(far, bytes);
    EXPECT_FALSE(end.Take(bytes, size));
    EXPECT_EQ(end.Refused(), 2);
}

}  // namespace
