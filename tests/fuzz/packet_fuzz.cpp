// Feeds arbitrary bytes to the network duel's packet reader, inside a window taken from the
// first bytes, and checks what any accepted packet must be: exactly what the writer makes of
// it, with every frame inside the window and only controls a player can press.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "net/packet.h"

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const FrameWindow window = {data[0], static_cast<std::uint32_t>(data[0]) + data[1] * 4u};
    data += 2;
    size -= 2;
    NetPacket packet;
    if (ReadPacket(data, size, window, packet) != PacketVerdict::ACCEPTED) {
        return 0;
    }
    std::uint8_t again[MAX_PACKET_BYTES];
    const std::size_t written = WritePacket(packet, again);
    if (written != size || std::memcmp(again, data, size) != 0) {
        Fail("an accepted packet is not what the writer makes of it");
    }
    if (packet.kind == PacketKind::CONTROLS) {
        if (packet.count > MAX_CONTROLS_PER_PACKET || packet.first < window.lowest ||
            packet.first + packet.count > window.highest + 1ull) {
            Fail("controls outside the window");
        }
        for (int i = 0; i < packet.count; ++i) {
            if ((packet.controls[i] & ~NET_CONTROL_BITS) != 0) {
                Fail("controls no player can press");
            }
        }
    }
    return 0;
}
