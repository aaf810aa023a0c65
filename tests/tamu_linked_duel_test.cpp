// The real duel played by two rollback sessions in one process, each in sync-test mode (every
// frame put back and replayed), over a link slow enough for the guesses to go wrong often.

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <vector>

#include "net/rollback.h"
#include "shell/game.h"
#include "tamu/duel.h"
#include "tamu/game.h"
#include "tamu/linked_duel.h"

namespace {

const int FRAMES = 6000;    // over a minute of play at 90 frames a second
const int LINK_PASSES = 7;  // each way: a 75 ms trip
const int PASSES = FRAMES + 4 * LINK_PASSES;

// What each player holds: runs of a few tenths of a second, often changing, so the other
// end's guesses go wrong and the paddles reach the walls and meet the ball now and then.
std::uint8_t Player(int paddle, int frame) {
    const int run = frame / (23 + 14 * paddle);
    const std::uint8_t keys[] = {NET_LEFT, 0, NET_RIGHT, NET_RIGHT, 0, NET_LEFT, NET_LEFT};
    return keys[(run * (3 + paddle)) % 7];
}

DuelSnapshot SnapshotOf(const tamu::DuelState& state) {
    DuelSnapshot snapshot;
    std::memcpy(snapshot.bytes, &state, sizeof state);
    return snapshot;
}

struct Datagram {
    int due;
    std::vector<std::uint8_t> bytes;
};

TEST(TamuLinkedDuel, TwoEndsInSyncTestPlayALongDuelAsOneKeyboardWouldFrameForFrame) {
    ZEM_UseGame(tamu::GAME);
    const DuelRules& rules = tamu::LinkedDuelRules();
    const DuelSnapshot start = SnapshotOf(tamu::OpeningDuel());

    // The duel straight through from both players' keys, with no link and no rollback.
    std::vector<std::uint32_t> straight = {rules.checksum(start)};
    DuelSnapshot state = start;
    for (int frame = 1; frame <= FRAMES; ++frame) {
        const std::uint8_t controls[2] = {Player(0, frame), Player(1, frame)};
        rules.step(state, controls);
        straight.push_back(rules.checksum(state));
    }
    tamu::DuelState last;
    std::memcpy(&last, state.bytes, sizeof last);
    ASSERT_GT(last.scores[0] + last.scores[1], 0) << "a duel with points in it";

    RollbackSession ends[2] = {RollbackSession(rules, start, 0, 0, 1),
                               RollbackSession(rules, start, 1, 0, 1)};
    std::deque<Datagram> wire[2];  // to end 0, to end 1
    for (int e = 0; e < 2; ++e) {
        ends[e].SetSyncTest(true);
    }
    for (int pass = 0; pass < PASSES; ++pass) {
        for (int e = 0; e < 2; ++e) {
            while (!wire[e].empty() && wire[e].front().due <= pass) {
                ends[e].Take(wire[e].front().bytes.data(), wire[e].front().bytes.size());
                wire[e].pop_front();
            }
            if (static_cast<int>(ends[e].Frame()) < FRAMES && ends[e].CanAdvance()) {
                const int next = static_cast<int>(ends[e].Frame()) + 1;
                ends[e].Advance(Player(e, next));
            }
            std::uint8_t bytes[MAX_PACKET_BYTES];
            const std::size_t size = WritePacket(ends[e].Outgoing(), bytes);
            wire[1 - e].push_back({pass + LINK_PASSES, {bytes, bytes + size}});
        }
    }
    for (int e = 0; e < 2; ++e) {
        ends[e].Settle();
        SCOPED_TRACE(e == 0 ? "host" : "guest");
        EXPECT_EQ(ends[e].DesyncFrame(), 0u);
        EXPECT_EQ(ends[e].Frame(), static_cast<std::uint32_t>(FRAMES));
        EXPECT_GT(ends[e].ReplayedFrames(), 100u) << "the guesses went wrong often";
        EXPECT_GE(ends[e].ComparedFrame(), static_cast<std::uint32_t>(FRAMES - KEPT_FRAMES));
        EXPECT_EQ(rules.checksum(ends[e].State()), straight[FRAMES]);
        for (std::uint32_t at = FRAMES - KEPT_FRAMES + 1; at <= ends[e].ConfirmedFrame(); ++at) {
            EXPECT_EQ(ends[e].ConfirmedChecksum(at), straight[at]) << "frame " << at;
        }
    }
}

}  // namespace
