#include "net/link.h"

#include <enet/enet.h>

#include <cstdlib>
#include <cstring>

namespace {

// What a guest says when it connects: our mark and the version it speaks.
const std::uint32_t HELLO_MARK = 0x5a540000u;
const std::uint32_t HELLO_VERSION_MASK = 0xffu;
const std::uint32_t HELLO_MARK_MASK = 0xffffff00u;

// Why a host turns a joiner away, sent with the closing of the link: the reason, then the
// host's own version in the lowest byte.
const std::uint32_t REFUSED_FULL = 1u << 8;
const std::uint32_t REFUSED_VERSION = 2u << 8;
const std::uint32_t REFUSAL_MASK = 0xff00u;

const std::size_t CHANNELS = 1;
// The host's opponent, and room to tell a few more at once that the place is taken.
const std::size_t HOST_PEERS = 4;
// More than any burst a frame brings; the rest waits for the next look.
const int MOST_EVENTS_A_LOOK = 256;
const std::uint32_t JOIN_LOOK_MS = 20;
// ENet's ping while nothing else goes, and the fewest attempts before its timeout counts.
const std::uint32_t TIMEOUT_ATTEMPTS = 32;
const std::uint32_t TIMEOUT_MINIMUM_MS = 2000;

const FrameWindow ANY_FRAME = {0, 0xffffffffu};

// ENet keeps nothing to let go of on these systems, so it is started once and left so.
bool enetStarted = false;

bool StartEnet() {
    if (!enetStarted && enet_initialize() == 0) {
        enetStarted = true;
    }
    return enetStarted;
}

std::string AddressName(const ENetAddress& address) {
    char ip[64] = "";
    if (enet_address_get_host_ip(&address, ip, sizeof ip) != 0) {
        std::strcpy(ip, "?");
    }
    return std::string(ip) + ":" + std::to_string(address.port);
}

// Notices a silent peer within SILENT_PEER_MS, and never throttles the controls away: each
// packet of them matters for the frames it carries.
void TuneForTheDuel(ENetPeer* peer) {
    enet_peer_timeout(peer, TIMEOUT_ATTEMPTS, TIMEOUT_MINIMUM_MS, SILENT_PEER_MS);
    enet_peer_throttle_configure(peer, ENET_PEER_PACKET_THROTTLE_INTERVAL,
                                 ENET_PEER_PACKET_THROTTLE_SCALE, 0);
}

std::string RefusalText(const std::string& where, std::uint32_t data, std::uint8_t ours) {
    switch (data & REFUSAL_MASK) {
        case REFUSED_FULL:
            return where + " already has a player";
        case REFUSED_VERSION:
            return where + " plays network duel version " + std::to_string(data & 0xff) +
                   " and this program version " + std::to_string(ours);
        default:
            return where + " closed the link";
    }
}

NetPacket Welcome() {
    NetPacket packet;
    packet.kind = PacketKind::WELCOME;
    return packet;
}

}  // namespace

DuelLink::DuelLink(std::uint8_t version) : version(version) {
}

DuelLink::~DuelLink() {
    if (host != nullptr) {
        if (peer != nullptr) {
            // A parting word, so the other end need not wait for the silence.
            enet_peer_disconnect_now(peer, 0);
        }
        enet_host_destroy(host);
    }
}

bool DuelLink::Listen(const std::string& address, std::uint16_t listenPort, std::string& why) {
    if (!StartEnet()) {
        why = "cannot start the network";
        return false;
    }
    ENetAddress at;
    at.host = ENET_HOST_ANY;
    at.port = listenPort;
    if (!address.empty() && enet_address_set_host(&at, address.c_str()) != 0) {
        why = "cannot find the address " + address;
        return false;
    }
    host = enet_host_create(&at, HOST_PEERS, CHANNELS, 0, 0);
    if (host == nullptr) {
        why = "cannot listen on UDP port " + std::to_string(listenPort) +
              " (is another program using it?)";
        return false;
    }
    hosting = true;
    port = listenPort;
    return true;
}

bool DuelLink::Join(const std::string& hostName, std::uint16_t hostPort, std::string& why) {
    const std::string where = hostName + ":" + std::to_string(hostPort);
    if (!StartEnet()) {
        why = "cannot start the network";
        return false;
    }
    ENetAddress at;
    at.port = hostPort;
    if (enet_address_set_host(&at, hostName.c_str()) != 0) {
        why = "cannot find the host " + hostName + " (a name or an IPv4 address)";
        return false;
    }
    host = enet_host_create(nullptr, 1, CHANNELS, 0, 0);
    if (host == nullptr) {
        why = "cannot open a UDP socket";
        return false;
    }
    ENetPeer* joining = enet_host_connect(host, &at, CHANNELS, HELLO_MARK | version);
    if (joining == nullptr) {
        why = "cannot connect to " + where;
        return false;
    }
    // The throttle is set once connected: a command queued before that closes the attempt.
    enet_peer_timeout(joining, TIMEOUT_ATTEMPTS, TIMEOUT_MINIMUM_MS, SILENT_PEER_MS);
    port = hostPort;
    const int looks = JOIN_ANSWER_MS / JOIN_LOOK_MS;
    for (int look = 0; look < looks; ++look) {
        ENetEvent event;
        if (enet_host_service(host, &event, JOIN_LOOK_MS) <= 0) {
            continue;
        }
        if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            why = RefusalText(where, event.data, version);
            return false;
        }
        if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            NetPacket packet;
            const bool welcomed = ReadPacket(event.packet->data, event.packet->dataLength,
                                             ANY_FRAME, packet) == PacketVerdict::ACCEPTED &&
                                  packet.kind == PacketKind::WELCOME;
            enet_packet_destroy(event.packet);
            if (welcomed) {
                TuneForTheDuel(joining);
                peer = joining;
                peerName = AddressName(joining->address);
                return true;
            }
            ++refused;
        }
    }
    enet_peer_reset(joining);
    why = "no answer from " + where + " (is a host waiting there?)";
    return false;
}

void DuelLink::Welcome(ENetPeer* joiner, std::uint32_t hello) {
    if ((hello & HELLO_MARK_MASK) != HELLO_MARK) {
        // Not one of ours at all: no word, just gone.
        ++turnedAway;
        enet_peer_reset(joiner);
        return;
    }
    if ((hello & HELLO_VERSION_MASK) != version) {
        ++turnedAway;
        enet_peer_disconnect(joiner, REFUSED_VERSION | version);
        return;
    }
    if (peer != nullptr) {
        ++turnedAway;
        enet_peer_disconnect(joiner, REFUSED_FULL | version);
        return;
    }
    peer = joiner;
    peerName = AddressName(joiner->address);
    TuneForTheDuel(joiner);
    Send(::Welcome(), true);
}

void DuelLink::Forget() {
    peer = nullptr;
    peerName.clear();
}

std::uint32_t DuelLink::RoundTripMs() const {
    return peer != nullptr ? peer->roundTripTime : 0;
}

void DuelLink::AwaitArrival(std::uint32_t milliseconds) {
    if (host == nullptr) {
        return;
    }
    enet_uint32 condition = ENET_SOCKET_WAIT_RECEIVE;
    enet_socket_wait(host->socket, &condition, milliseconds);
}

LinkNews DuelLink::Service(ArrivedPacket& arrived) {
    if (host == nullptr) {
        return LinkNews::NOTHING;
    }
    for (int i = 0; i < MOST_EVENTS_A_LOOK; ++i) {
        ENetEvent event;
        if (enet_host_service(host, &event, 0) <= 0) {
            return LinkNews::NOTHING;
        }
        switch (event.type) {
            case ENET_EVENT_TYPE_CONNECT:
                if (hosting) {
                    const bool wasAlone = peer == nullptr;
                    Welcome(event.peer, event.data);
                    if (wasAlone && peer != nullptr) {
                        return LinkNews::JOINED;
                    }
                }
                break;
            case ENET_EVENT_TYPE_DISCONNECT:
                if (event.peer == peer) {
                    Forget();
                    return LinkNews::LEFT;
                }
                break;
            case ENET_EVENT_TYPE_RECEIVE: {
                const bool fromOpponent = event.peer == peer;
                const std::size_t size = event.packet->dataLength;
                bool accepted = false;
                if (fromOpponent && size <= MAX_PACKET_BYTES) {
                    std::memcpy(arrived.bytes, event.packet->data, size);
                    arrived.size = size;
                    accepted = ReadPacket(arrived.bytes, size, ANY_FRAME, arrived.packet) ==
                               PacketVerdict::ACCEPTED;
                }
                enet_packet_destroy(event.packet);
                if (accepted) {
                    return LinkNews::PACKET;
                }
                if (fromOpponent) {
                    ++refused;
                }
                break;
            }
            default:
                break;
        }
    }
    return LinkNews::NOTHING;
}

void DuelLink::Send(const NetPacket& packet, bool reliable) {
    if (peer == nullptr) {
        return;
    }
    std::uint8_t bytes[MAX_PACKET_BYTES];
    const std::size_t size = WritePacket(packet, bytes);
    ENetPacket* wrapped = enet_packet_create(bytes, size, reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (wrapped != nullptr && enet_peer_send(peer, 0, wrapped) != 0) {
        enet_packet_destroy(wrapped);
    }
}

void DuelLink::Flush() {
    if (host != nullptr) {
        enet_host_flush(host);
    }
}

std::uint64_t DuelLink::BytesSent() const {
    return host != nullptr ? host->totalSentData : 0;
}

std::uint64_t DuelLink::BytesReceived() const {
    return host != nullptr ? host->totalReceivedData : 0;
}

std::uint16_t ReadPort(const std::string& text) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return value >= 1 && value <= 65535 ? static_cast<std::uint16_t>(value) : 0;
}

bool SplitHostAndPort(const std::string& text, std::string& hostName, std::uint16_t& hostPort) {
    const std::string::size_type colon = text.rfind(':');
    if (colon == std::string::npos) {
        hostName = text;
        hostPort = DEFAULT_DUEL_PORT;
        return !hostName.empty();
    }
    hostName = text.substr(0, colon);
    hostPort = ReadPort(text.substr(colon + 1));
    return !hostName.empty() && hostPort != 0;
}
