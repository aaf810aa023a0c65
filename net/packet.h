#pragma once

#include <cstddef>
#include <cstdint>

// What the two ends of a network duel say to each other, byte for byte. Every packet starts
// with the same header; the reader takes nothing on trust: a packet of the wrong size, another
// version, an unknown kind, controls no player can press or a frame outside the window is
// refused as a whole. Nothing here allocates: a packet is a fixed-size value.

// Raised whenever what a packet means changes; the ends of a duel must speak the same one.
const std::uint8_t NET_VERSION = 1;

// Most frames of one end's controls that one packet carries.
const int MAX_CONTROLS_PER_PACKET = 32;

// One paddle's controls for one frame as they travel: a bit each for the held keys, and one
// for the pause key pressed in that frame.
const std::uint8_t NET_LEFT = 1;
const std::uint8_t NET_RIGHT = 2;
const std::uint8_t NET_PAUSE = 4;
const std::uint8_t NET_CONTROL_BITS = NET_LEFT | NET_RIGHT | NET_PAUSE;

enum class PacketKind : std::uint8_t {
    CONTROLS = 1,  // one end's controls for a run of frames, with what it knows of the other's
    START = 2,     // the host starts a duel: frame 0 of `era`
    CONTINUE = 3,  // the end that chose "Continue Game" goes on after the pause at `frame`
    TO_MENU = 4,   // "Return to Menu": the duel ends on both
    DESYNC = 5,    // the two duels differed at `frame`: both stop
    WELCOME = 6,   // the host takes the guest as its opponent
};

struct NetPacket {
    PacketKind kind = PacketKind::CONTROLS;
    // Counts the duels and pauses of a session: a packet from before the latest start or
    // pause belongs to a game that no longer runs.
    std::uint16_t era = 0;
    // CONTROLS: the frame the sender is about to play; others: the frame they are about.
    std::uint32_t frame = 0;

    // CONTROLS only.
    std::uint32_t ack = 0;           // the receiver's controls the sender holds, frames 1 to ack
    std::uint32_t first = 0;         // frame of controls[0]
    std::uint8_t count = 0;          // frames carried, 0 to MAX_CONTROLS_PER_PACKET
    std::int16_t lead = 0;           // how far ahead the sender sees itself, in 1/16 frames
    std::uint32_t checkedFrame = 0;  // the sender's latest frame played with both ends' controls
    std::uint32_t checksum = 0;      // its duel's checksum after that frame (0 frame: none)
    std::uint8_t controls[MAX_CONTROLS_PER_PACKET] = {};
};

// The frames a packet may speak of; anything outside is refused.
struct FrameWindow {
    std::uint32_t lowest;
    std::uint32_t highest;
};

const std::size_t PACKET_HEADER_BYTES = 10;  // magic, version, kind, era, frame
const std::size_t CONTROLS_FIXED_BYTES = PACKET_HEADER_BYTES + 19;
const std::size_t MAX_PACKET_BYTES = CONTROLS_FIXED_BYTES + MAX_CONTROLS_PER_PACKET;

// Writes the packet into `out` (at least MAX_PACKET_BYTES); the number of bytes written.
std::size_t WritePacket(const NetPacket& packet, std::uint8_t* out);

// Why a packet was refused, or ACCEPTED.
enum class PacketVerdict {
    ACCEPTED,
    BAD_SIZE,
    BAD_MAGIC,
    OTHER_VERSION,
    UNKNOWN_KIND,
    BAD_CONTROLS,
    OUTSIDE_WINDOW,
};

// Reads `size` bytes into `packet`, checking everything above.
PacketVerdict ReadPacket(const std::uint8_t* data, std::size_t size, const FrameWindow& window,
                         NetPacket& packet);
