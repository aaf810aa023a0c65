#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "net/packet.h"

namespace {

const FrameWindow WINDOW = {10, 50};

NetPacket Controls(std::uint32_t first, int count) {
    NetPacket packet;
    packet.kind = PacketKind::CONTROLS;
    packet.era = 3;
    packet.frame = 20;
    packet.ack = 18;
    packet.first = first;
    packet.count = count;
    packet.lead = -24;
    packet.checkedFrame = 17;
    packet.checksum = 0xdeadbeef;
    for (int i = 0; i < count; ++i) {
        packet.controls[i] = i % 8;
    }
    return packet;
}

std::vector<std::uint8_t> Bytes(const NetPacket& packet) {
    std::uint8_t out[MAX_PACKET_BYTES];
    return std::vector<std::uint8_t>(out, out + WritePacket(packet, out));
}

PacketVerdict Read(const std::vector<std::uint8_t>& bytes, NetPacket& packet) {
    return ReadPacket(bytes.data(), bytes.size(), WINDOW, packet);
}

TEST(NetPacket, WhatIsWrittenReadsBackTheSame) {
    NetPacket in = Controls(12, MAX_CONTROLS_PER_PACKET);
    in.controls[5] = NET_LEFT | NET_PAUSE;
    NetPacket out;
    ASSERT_EQ(Read(Bytes(in), out), PacketVerdict::ACCEPTED);
    EXPECT_EQ(out.era, 3);
    EXPECT_EQ(out.frame, 20u);
    EXPECT_EQ(out.ack, 18u);
    EXPECT_EQ(out.first, 12u);
    EXPECT_EQ(out.count, MAX_CONTROLS_PER_PACKET);
    EXPECT_EQ(out.lead, -24);
    EXPECT_EQ(out.checkedFrame, 17u);
    EXPECT_EQ(out.checksum, 0xdeadbeefu);
    EXPECT_EQ(0, std::memcmp(in.controls, out.controls, MAX_CONTROLS_PER_PACKET));

    NetPacket start;
    start.kind = PacketKind::START;
    start.era = 9;
    ASSERT_EQ(Read(Bytes(start), out), PacketVerdict::ACCEPTED);
    EXPECT_EQ(out.kind, PacketKind::START);
    EXPECT_EQ(out.era, 9);
}

// Each case spoils one thing of a good packet of 4 frames' controls.
struct SpoiltPacket {
    const char* what;
    void (*spoil)(std::vector<std::uint8_t>& bytes);
    PacketVerdict verdict;
};

const SpoiltPacket SPOILT[] = {
    {"empty", [](std::vector<std::uint8_t>& b) { b.clear(); }, PacketVerdict::BAD_SIZE},
    {"cut short", [](std::vector<std::uint8_t>& b) { b.pop_back(); }, PacketVerdict::BAD_SIZE},
    {"a byte too many", [](std::vector<std::uint8_t>& b) { b.push_back(0); },
     PacketVerdict::BAD_SIZE},
    {"header only", [](std::vector<std::uint8_t>& b) { b.resize(PACKET_HEADER_BYTES); },
     PacketVerdict::BAD_SIZE},
    {"far too long", [](std::vector<std::uint8_t>& b) { b.resize(100000); },
     PacketVerdict::BAD_SIZE},
    {"count beyond the most", [](std::vector<std::uint8_t>& b) { b[18] = 200; },
     PacketVerdict::BAD_SIZE},
    {"not ours", [](std::vector<std::uint8_t>& b) { b[0] = 'X'; }, PacketVerdict::BAD_MAGIC},
    {"another version", [](std::vector<std::uint8_t>& b) { b[2] = NET_VERSION + 1; },
     PacketVerdict::OTHER_VERSION},
    {"unknown kind", [](std::vector<std::uint8_t>& b) { b[3] = 99; }, PacketVerdict::UNKNOWN_KIND},
    {"a key no player has", [](std::vector<std::uint8_t>& b) { b.back() = 8; },
     PacketVerdict::BAD_CONTROLS},
    {"frame before the window", [](std::vector<std::uint8_t>& b) { b[6] = 9; },
     PacketVerdict::OUTSIDE_WINDOW},
    {"frame after the window", [](std::vector<std::uint8_t>& b) { b[9] = 1; },
     PacketVerdict::OUTSIDE_WINDOW},
    {"controls run past the window", [](std::vector<std::uint8_t>& b) { b[14] = 48; },
     PacketVerdict::OUTSIDE_WINDOW},
    {"acknowledges frames not yet played", [](std::vector<std::uint8_t>& b) { b[10] = 51; },
     PacketVerdict::OUTSIDE_WINDOW},
    {"a start after frame 0",
     [](std::vector<std::uint8_t>& b) {
         b.resize(PACKET_HEADER_BYTES);
         b[3] = static_cast<std::uint8_t>(PacketKind::START);
     },
     PacketVerdict::OUTSIDE_WINDOW},
};

TEST(NetPacket, ASpoiltPacketIsRefusedForWhatIsWrong) {
    for (const SpoiltPacket& test : SPOILT) {
        std::vector<std::uint8_t> bytes = Bytes(Controls(12, 4));
        test.spoil(bytes);
        NetPacket packet;
        EXPECT_EQ(Read(bytes, packet), test.verdict) << test.what;
    }
}

}  // namespace
