#include "net/packet.h"

namespace {

const std::uint8_t MAGIC[2] = {'Z', 'T'};

class ByteWriter {
public:
    explicit ByteWriter(std::uint8_t* out) : out(out) {}
    void Byte(std::uint8_t value) { out[at++] = value; }
    void Word(std::uint16_t value) {
        Byte(value & 0xff);
        Byte(value >> 8);
    }
    void Long(std::uint32_t value) {
        Word(value & 0xffff);
        Word(value >> 16);
    }
    std::size_t Written() const { return at; }

private:
    std::uint8_t* out;
    std::size_t at = 0;
};

// Reads in order; the caller has checked the size first, so no read runs past the end.
class ByteReader {
public:
    explicit ByteReader(const std::uint8_t* data) : data(data) {}
    std::uint8_t Byte() { return data[at++]; }
    std::uint16_t Word() {
        const std::uint16_t low = Byte();
        return low | static_cast<std::uint16_t>(Byte() << 8);
    }
    std::uint32_t Long() {
        const std::uint32_t low = Word();
        return low | static_cast<std::uint32_t>(Word()) << 16;
    }

private:
    const std::uint8_t* data;
    std::size_t at = 0;
};

bool KnownKind(std::uint8_t kind) {
    return kind >= static_cast<std::uint8_t>(PacketKind::CONTROLS) &&
           kind <= static_cast<std::uint8_t>(PacketKind::WELCOME);
}

bool InWindow(std::uint32_t frame, const FrameWindow& window) {
    return frame >= window.lowest && frame <= window.highest;
}

PacketVerdict ReadControls(ByteReader& in, std::size_t size, const FrameWindow& window,
                           NetPacket& packet) {
    if (size < CONTROLS_FIXED_BYTES) {
        return PacketVerdict::BAD_SIZE;
    }
    packet.ack = in.Long();
    packet.first = in.Long();
    packet.count = in.Byte();
    packet.lead = static_cast<std::int16_t>(in.Word());
    packet.checkedFrame = in.Long();
    packet.checksum = in.Long();
    if (packet.count > MAX_CONTROLS_PER_PACKET || size != CONTROLS_FIXED_BYTES + packet.count) {
        return PacketVerdict::BAD_SIZE;
    }
    // The sender can't hold more of our frames, nor have checked more, than we have played.
    const std::uint64_t last = static_cast<std::uint64_t>(packet.first) + packet.count;
    if (!InWindow(packet.frame, window) || !InWindow(packet.first, window) ||
        last > static_cast<std::uint64_t>(window.highest) + 1 || packet.ack > window.highest ||
        packet.checkedFrame > window.highest) {
        return PacketVerdict::OUTSIDE_WINDOW;
    }
    for (int i = 0; i < packet.count; ++i) {
        packet.controls[i] = in.Byte();
        if ((packet.controls[i] & ~NET_CONTROL_BITS) != 0) {
            return PacketVerdict::BAD_CONTROLS;
        }
    }
    return PacketVerdict::ACCEPTED;
}

}  // namespace

std::size_t WritePacket(const NetPacket& packet, std::uint8_t* out) {
    ByteWriter writer(out);
    writer.Byte(MAGIC[0]);
    writer.Byte(MAGIC[1]);
    writer.Byte(NET_VERSION);
    writer.Byte(static_cast<std::uint8_t>(packet.kind));
    writer.Word(packet.era);
    writer.Long(packet.frame);
    if (packet.kind == PacketKind::CONTROLS) {
        const int count =
            packet.count < MAX_CONTROLS_PER_PACKET ? packet.count : MAX_CONTROLS_PER_PACKET;
        writer.Long(packet.ack);
        writer.Long(packet.first);
        writer.Byte(count);
        writer.Word(static_cast<std::uint16_t>(packet.lead));
        writer.Long(packet.checkedFrame);
        writer.Long(packet.checksum);
        for (int i = 0; i < count; ++i) {
            writer.Byte(packet.controls[i]);
        }
    }
    return writer.Written();
}

PacketVerdict ReadPacket(const std::uint8_t* data, std::size_t size, const FrameWindow& window,
                         NetPacket& packet) {
    packet = NetPacket();
    if (size < PACKET_HEADER_BYTES || size > MAX_PACKET_BYTES) {
        return PacketVerdict::BAD_SIZE;
    }
    ByteReader in(data);
    if (in.Byte() != MAGIC[0] || in.Byte() != MAGIC[1]) {
        return PacketVerdict::BAD_MAGIC;
    }
    if (in.Byte() != NET_VERSION) {
        return PacketVerdict::OTHER_VERSION;
    }
    const std::uint8_t kind = in.Byte();
    if (!KnownKind(kind)) {
        return PacketVerdict::UNKNOWN_KIND;
    }
    packet.kind = static_cast<PacketKind>(kind);
    packet.era = in.Word();
    packet.frame = in.Long();
    if (packet.kind == PacketKind::CONTROLS) {
        return ReadControls(in, size, window, packet);
    }
    if (size != PACKET_HEADER_BYTES) {
        return PacketVerdict::BAD_SIZE;
    }
    // A duel always starts at frame 0, whatever the frames of the one before.
    if (packet.kind == PacketKind::START) {
        return packet.frame == 0 ? PacketVerdict::ACCEPTED : PacketVerdict::OUTSIDE_WINDOW;
    }
    return InWindow(packet.frame, window) ? PacketVerdict::ACCEPTED : PacketVerdict::OUTSIDE_WINDOW;
}
