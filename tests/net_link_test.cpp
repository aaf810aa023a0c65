// The duel's wire on loopback: a host takes one opponent, turns away a second and one of
// another version with a line naming why, hears a packet from its opponent, and notices
// when the opponent goes.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "net/link.h"

namespace {

using Clock = std::chrono::steady_clock;
const std::chrono::seconds MOST_WAIT{8};
const char* const LOOPBACK = "127.0.0.1";

// Joins from a thread of its own while the host is looked after here, as the two programs
// would each look after their own end.
struct JoinResult {
    bool joined = false;
    std::string why;
};

JoinResult JoinWhileHosting(DuelLink& host, DuelLink& guest, std::uint16_t port,
                            int* joinedNews = nullptr) {
    JoinResult result;
    std::atomic<bool> done{false};
    std::thread joiner([&] {
        result.joined = guest.Join(LOOPBACK, port, result.why);
        done = true;
    });
    const Clock::time_point start = Clock::now();
    while (!done && Clock::now() - start < MOST_WAIT) {
        ArrivedPacket arrived;
        const LinkNews news = host.Service(arrived);
        if (news == LinkNews::JOINED && joinedNews != nullptr) {
            ++*joinedNews;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    joiner.join();
    return result;
}

// Looks at the end's wire until it brings this news (or the wait runs out).
bool WaitForNews(DuelLink& end, LinkNews wanted, ArrivedPacket& arrived, DuelLink* other) {
    const Clock::time_point start = Clock::now();
    while (Clock::now() - start < MOST_WAIT) {
        if (end.Service(arrived) == wanted) {
            return true;
        }
        if (other != nullptr) {
            ArrivedPacket ignored;
            other->Service(ignored);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

TEST(NetLink, TheHostTakesOneOpponentAndHearsItsPackets) {
    const std::uint16_t port = 47640;
    DuelLink host;
    std::string why;
    ASSERT_TRUE(host.Listen(LOOPBACK, port, why)) << why;
    auto guest = std::make_unique<DuelLink>();
    int joined = 0;
    const JoinResult result = JoinWhileHosting(host, *guest, port, &joined);
    ASSERT_TRUE(result.joined) << result.why;
    EXPECT_EQ(joined, 1);
    EXPECT_TRUE(host.Connected());
    EXPECT_EQ(host.PeerName().rfind("127.0.0.1:", 0), 0u) << host.PeerName();

    NetPacket start;
    start.kind = PacketKind::START;
    start.era = 7;
    host.Send(start, true);
    host.Flush();
    ArrivedPacket arrived;
    ASSERT_TRUE(WaitForNews(*guest, LinkNews::PACKET, arrived, &host));
    EXPECT_EQ(arrived.packet.kind, PacketKind::START);
    EXPECT_EQ(arrived.packet.era, 7);

    guest.reset();
    EXPECT_TRUE(WaitForNews(host, LinkNews::LEFT, arrived, nullptr));
    EXPECT_FALSE(host.Connected());
}

struct RefusedJoin {
    const char* what;
    std::uint8_t joinerVersion;
    bool hostAlreadyTaken;
    const char* toldWhy;
};

const RefusedJoin REFUSED_JOINS[] = {
    {"a second joiner", NET_VERSION, true, "127.0.0.1:47641 already has a player"},
    {"another version", NET_VERSION + 1, false,
     "127.0.0.1:47641 plays network duel version 1 and this program version 2"},
};

TEST(NetLink, AJoinerTheHostCantTakeIsToldWhy) {
    static_assert(NET_VERSION == 1, "the texts below name version 1");
    for (const RefusedJoin& test : REFUSED_JOINS) {
        const std::uint16_t port = 47641;
        DuelLink host;
        std::string why;
        ASSERT_TRUE(host.Listen(LOOPBACK, port, why)) << why;
        DuelLink first;
        if (test.hostAlreadyTaken) {
            ASSERT_TRUE(JoinWhileHosting(host, first, port).joined) << test.what;
        }
        DuelLink late(test.joinerVersion);
        const JoinResult result = JoinWhileHosting(host, late, port);
        EXPECT_FALSE(result.joined) << test.what;
        EXPECT_EQ(result.why, test.toldWhy) << test.what;
        EXPECT_EQ(host.TurnedAway(), 1) << test.what;
        EXPECT_EQ(host.Connected(), test.hostAlreadyTaken) << test.what;
    }
}

TEST(NetLink, NobodyListeningIsNoAnswer) {
    DuelLink guest;
    std::string why;
    EXPECT_FALSE(guest.Join(LOOPBACK, 47642, why));
    EXPECT_EQ(why, "no answer from 127.0.0.1:47642 (is a host waiting there?)");
}

struct TypedAddress {
    const char* typed;
    bool fits;
    const char* host;
    std::uint16_t port;
};

const TypedAddress TYPED_ADDRESSES[] = {
    {"example.org", true, "example.org", DEFAULT_DUEL_PORT},
    {"10.0.0.2:5000", true, "10.0.0.2", 5000},
    {"10.0.0.2:65535", true, "10.0.0.2", 65535},
    {"10.0.0.2:0", false, "", 0},
    {"10.0.0.2:65536", false, "", 0},
    {"10.0.0.2:", false, "", 0},
    {"10.0.0.2:x1", false, "", 0},
    {":5000", false, "", 0},
    {"", false, "", 0},
};

TEST(NetLink, AJoinAddressIsAHostAndAnOptionalPort) {
    for (const TypedAddress& test : TYPED_ADDRESSES) {
        std::string host;
        std::uint16_t port = 0;
        ASSERT_EQ(SplitHostAndPort(test.typed, host, port), test.fits) << test.typed;
        if (test.fits) {
            EXPECT_EQ(host, test.host) << test.typed;
            EXPECT_EQ(port, test.port) << test.typed;
        }
    }
}

}  // namespace
