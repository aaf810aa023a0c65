#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "net/packet.h"

// The wire between the two ends of a network duel, on ENet over UDP (IPv4 only: ENet 1.3
// holds an address in 32 bits). The host listens on one port and takes one opponent; the
// guest joins it. Every packet that arrives goes through the strict reader first; what it
// refuses is dropped and counted. The controls travel unreliably (each packet repeats what
// the other end has not confirmed), everything else reliably, all on one channel so that
// nothing sent after a start, a pause's end or a return to the menu overtakes it.

// The port a host listens on unless told otherwise, also as the help shows it.
const std::uint16_t DEFAULT_DUEL_PORT = 47623;
#define DEFAULT_DUEL_PORT_TEXT "47623"

// A peer that answers nothing for this long is taken for gone.
const std::uint32_t SILENT_PEER_MS = 4000;
// How long a guest waits for the host's answer before it gives up.
const std::uint32_t JOIN_ANSWER_MS = 5000;

// What one look at the wire brought.
enum class LinkNews {
    NOTHING,  // nothing more for now
    JOINED,   // a host's opponent connected and was welcomed
    LEFT,     // the other end closed the link or went silent
    PACKET,   // a packet the reader accepted (it may still be refused by what it is about)
};

// One packet as it arrived: its bytes, and what the reader made of them.
struct ArrivedPacket {
    NetPacket packet;
    std::uint8_t bytes[MAX_PACKET_BYTES] = {};
    std::size_t size = 0;
};

struct _ENetHost;
struct _ENetPeer;

class DuelLink {
public:
    // `version` is what this end speaks (another only in tests).
    explicit DuelLink(std::uint8_t version = NET_VERSION);
    ~DuelLink();
    DuelLink(const DuelLink&) = delete;
    DuelLink& operator=(const DuelLink&) = delete;

    // The host's side: listens on `port` at `address` (empty: every address of the machine).
    // False, with the reason in `why`, when it can't.
    bool Listen(const std::string& address, std::uint16_t port, std::string& why);
    // The guest's side: connects to the host and waits (at most JOIN_ANSWER_MS) until it is
    // welcomed. False, with one line in `why`, when the host can't be reached or refuses.
    bool Join(const std::string& host, std::uint16_t port, std::string& why);

    // Takes the next thing the wire has; call until NOTHING. Never blocks.
    LinkNews Service(ArrivedPacket& arrived);
    // Sleeps until a datagram arrives or the time is up, whichever comes first; what came
    // is for Service.
    void AwaitArrival(std::uint32_t milliseconds);
    // Sends a packet: reliably (kept until it arrives), or not (dropped when lost).
    void Send(const NetPacket& packet, bool reliable);
    // Sends whatever is queued now rather than at the next Service.
    void Flush();

    bool Connected() const { return peer != nullptr; }
    // ENet's smoothed measure of a trip there and back, in milliseconds (0 when none).
    std::uint32_t RoundTripMs() const;
    bool Hosting() const { return hosting; }
    std::uint16_t Port() const { return port; }
    // The other end as "address:port" (empty when none).
    const std::string& PeerName() const { return peerName; }
    // Packets the reader refused, and joiners turned away.
    int Refused() const { return refused; }
    int TurnedAway() const { return turnedAway; }
    // Bytes of UDP payload both ways so far, ENet's own headers included.
    std::uint64_t BytesSent() const;
    std::uint64_t BytesReceived() const;

private:
    void Welcome(_ENetPeer* joiner, std::uint32_t hello);
    void Forget();

    std::uint8_t version;
    _ENetHost* host = nullptr;
    _ENetPeer* peer = nullptr;
    bool hosting = false;
    std::uint16_t port = 0;
    std::string peerName;
    int refused = 0;
    int turnedAway = 0;
};

// "HOST" or "HOST:PORT" as typed after --join: false when the port is not 1 to 65535.
bool SplitHostAndPort(const std::string& text, std::string& host, std::uint16_t& port);
// A port as typed after --port: 0 when it is not 1 to 65535.
std::uint16_t ReadPort(const std::string& text);
