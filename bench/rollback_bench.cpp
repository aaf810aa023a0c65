// What putting the duel back 8 frames and playing them again costs: a session plays 8 frames
// on a wrong guess of the other paddle, then the real controls arrive and it replays them.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "net/rollback.h"
#include "shell/game.h"
#include "tamu/duel.h"
#include "tamu/game.h"
#include "tamu/linked_duel.h"

namespace {

const int RUNS = 2000;

}  // namespace

int main() {
    ZEM_UseGame(tamu::GAME);
    const DuelRules& rules = tamu::LinkedDuelRules();
    DuelSnapshot start;
    const tamu::DuelState opening = tamu::OpeningDuel();
    std::memcpy(start.bytes, &opening, sizeof opening);
    std::vector<double> micros;
    for (int run = 0; run < RUNS; ++run) {
        RollbackSession host(rules, start, 0, 0, 1);
        RollbackSession guest(rules, start, 1, 0, 1);
        for (int frame = 0; frame < MAX_PREDICTED_FRAMES; ++frame) {
            host.Advance(NET_LEFT);
            guest.Advance(NET_RIGHT);  // the host guessed "nothing held": all 8 wrong
        }
        std::uint8_t bytes[MAX_PACKET_BYTES];
        const std::size_t size = WritePacket(guest.Outgoing(), bytes);
        host.Take(bytes, size);
        const auto before = std::chrono::steady_clock::now();
        host.Settle();
        const auto after = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(after - before).count());
        if (host.ReplayedFrames() != static_cast<std::uint32_t>(MAX_PREDICTED_FRAMES)) {
            std::fprintf(stderr, "replayed %u frames, not 8\n", host.ReplayedFrames());
            return 1;
        }
    }
    std::sort(micros.begin(), micros.end());
    std::printf("8-frame rollback: median %.1f us, 99th percentile %.1f us, %d runs\n",
                micros[RUNS / 2], micros[RUNS * 99 / 100], RUNS);
    return 0;
}
