// The duel across two machines, seen from outside: two real tamu programs on one test X
// server, the host and its guest joined over loopback, each window beside the other. Each end
// writes what it played to a log (ZEM_NET_LOG), which the tests read beside the screenshots.
// The bad link is a relay of ours on loopback (tests/net/udp_relay.py), stopped on every path.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "net/packet.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/play_screen.h"
#include "tests/e2e/tamu_screen.h"
#include "tests/support/scratch_dir.h"

namespace {

const char* const LOOPBACK = "127.0.0.1";
const int HOST = 0;
const int GUEST = 1;
const char* const END_NAMES[] = {"host", "guest"};

const int PADDLE_Y[] = {MY_PADDLE_Y, OTHER_PADDLE_Y};  // the host's bottom, the guest's top
const int GUEST_WINDOW_X = 700;  // on the test server's screen, right of the host's window

// How soon an end must notice that the other stopped answering.
const std::chrono::milliseconds SILENT_PEER_NOTICED{5000};
// The bad link's duel, and how long a frame may wait over it.
const std::chrono::seconds BAD_LINK_DUEL{60};
const unsigned LONGEST_FRAME_WAIT_MS = 100;

// A UDP port on loopback that nothing uses now.
std::uint16_t FreeUdpPort() {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    close(fd);
    return ntohs(address.sin_port);
}

// The words of one line of an end's log.
std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

// The value after a name in an "end" line ("... scores 3 4 waits ...": Value(end, "scores")).
unsigned long Value(const std::vector<std::string>& words, const std::string& name, int at = 1) {
    for (std::size_t i = 0; i + at < words.size(); ++i) {
        if (words[i] == name) {
            return std::stoul(words[i + at]);
        }
    }
    ADD_FAILURE() << "no " << name << " in the line";
    return 0;
}

// One drawn frame: its number, when, this end's keys and both paddles' places.
struct DrawnFrame {
    unsigned frame;
    unsigned ticks;
    unsigned keys;
    int x[2];
};

// One duel as an end logged it, from its "start" line to its "end" line.
struct LoggedDuel {
    std::vector<DrawnFrame> drawn;
    std::map<unsigned, std::string> checksums;  // confirmed frame to checksum
    std::vector<unsigned> paused;
    std::vector<std::string> end;  // the words of the "end" line; empty while it plays
};

// An end's log, read anew at each look.
class DuelLog {
public:
    explicit DuelLog(std::string path) : path(std::move(path)) {}

    int Count(const std::string& word) const {
        int count = 0;
        for (const std::string& line : Lines()) {
            count += line.rfind(word + " ", 0) == 0 || line == word ? 1 : 0;
        }
        return count;
    }

    // Waits until the log holds this many lines beginning with the word; false (with a
    // failure) after the timeout.
    bool WaitFor(const std::string& word, int count,
                 std::chrono::milliseconds timeout = DEFAULT_TIMEOUT) const {
        const Clock::time_point start = Clock::now();
        while (Count(word) < count) {
            if (Clock::now() - start > timeout) {
                ADD_FAILURE() << path << ": no " << count << " \"" << word << "\" lines within "
                              << timeout.count() << " ms";
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    // The duels in the order played.
    std::vector<LoggedDuel> Duels() const {
        std::vector<LoggedDuel> duels;
        for (const std::string& line : Lines()) {
            const std::vector<std::string> words = Words(line);
            if (words.empty() || (duels.empty() && words[0] != "start")) {
                continue;
            }
            LoggedDuel* duel = duels.empty() ? nullptr : &duels.back();
            if (words[0] == "start") {
                duels.emplace_back();
            } else if (words[0] == "f" && words.size() == 6) {
                duel->drawn.push_back({static_cast<unsigned>(std::stoul(words[1])),
                                       static_cast<unsigned>(std::stoul(words[2])),
                                       static_cast<unsigned>(std::stoul(words[3])),
                                       {std::stoi(words[4]), std::stoi(words[5])}});
            } else if (words[0] == "c" && words.size() == 3) {
                duel->checksums[static_cast<unsigned>(std::stoul(words[1]))] = words[2];
            } else if (words[0] == "paused" && words.size() == 2) {
                duel->paused.push_back(static_cast<unsigned>(std::stoul(words[1])));
            } else if (words[0] == "end") {
                duel->end = words;
            }
        }
        return duels;
    }

private:
    std::vector<std::string> Lines() const {
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    std::string path;
};

// The bad link between the two ends: our relay on loopback, ended with the test (and on its
// own after its time at the latest).
class Relay {
public:
    Relay(std::uint16_t listenPort, std::uint16_t hostPort, int seconds) {
        const std::string script = std::string(ZEM_SOURCE_DIR) + "/tests/net/udp_relay.py";
        const std::string listen = std::to_string(listenPort);
        const std::string host = std::to_string(hostPort);
        const std::string bound = std::to_string(seconds);
        pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);  // not even a crashed test leaves it running
            execlp("python3", "python3", script.c_str(), listen.c_str(), host.c_str(), "--seconds",
                   bound.c_str(), static_cast<char*>(nullptr));
            std::perror("python3");
            _exit(127);
        }
        EXPECT_GT(pid, 0) << "the relay did not start";
    }
    ~Relay() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    Relay(const Relay&) = delete;
    Relay& operator=(const Relay&) = delete;

private:
    pid_t pid = -1;
};

// A host and its guest, each in a folder of its own and a window of its own side by side,
// the guest joined straight or through the relay.
class LinkedEnds {
public:
    explicit LinkedEnds(int relaySeconds = 0) : hostPort(FreeUdpPort()), joinPort(hostPort) {
        for (ScratchDir* dir : {&dirs[HOST], &dirs[GUEST]}) {
            dir->CopyStartupFiles();
        }
        if (relaySeconds > 0) {
            joinPort = FreeUdpPort();
            relay = std::make_unique<Relay>(joinPort, hostPort, relaySeconds);
        }
        ends[HOST] =
            Start(HOST, {"--host=" + std::string(LOOPBACK), "--port", std::to_string(hostPort)});
        JoinGuest();
    }

    GameProcess& End(int which) { return *ends[which]; }
    const DuelLog& Log(int which) const { return logs[which]; }

    // A guest (a new one after the first has gone, with a fresh log) joins the host.
    void JoinGuest() {
        ends[GUEST].reset();
        duels[GUEST] = 0;
        ends[GUEST] =
            Start(GUEST, {"--join", std::string(LOOPBACK) + ":" + std::to_string(joinPort)});
        ++joins;
    }

    // Once the host has seen its guest, the host chooses "Play" and both duels start.
    void StartDuel() {
        ASSERT_TRUE(End(GUEST).WaitForWindow());
        ASSERT_TRUE(logs[HOST].WaitFor("player", joins));
        StartPlay(End(HOST));
        ++duels[HOST];
        ++duels[GUEST];
        ASSERT_TRUE(logs[HOST].WaitFor("start", duels[HOST]));
        ASSERT_TRUE(logs[GUEST].WaitFor("start", duels[GUEST]));
    }

private:
    std::unique_ptr<GameProcess> Start(int which, const std::vector<std::string>& words) {
        const std::string log = dirs[which].Path() + "/net.log";
        logs[which] = DuelLog(log);
        const std::string place = which == HOST ? "0,0" : std::to_string(GUEST_WINDOW_X) + ",0";
        return std::make_unique<GameProcess>(
            GameFile("tamu"), dirs[which].Path(),
            EnvironmentChanges{"ZEM_NET_LOG=" + log, "SDL_VIDEO_WINDOW_POS=" + place}, words);
    }

    ScratchDir dirs[2];
    DuelLog logs[2] = {DuelLog(""), DuelLog("")};
    std::uint16_t hostPort;
    std::uint16_t joinPort;
    std::unique_ptr<Relay> relay;
    std::unique_ptr<GameProcess> ends[2];
    int joins = 0;
    int duels[2] = {0, 0};
};

// The left edge of a paddle in its rows, or -1 while the ball crosses them.
int PaddleX(const Screenshot& shot, int which) {
    const Area rows{WALL, PADDLE_Y[which], 625 - WALL, PADDLE_H};
    const Area found = shot.Bounds(WHITE, rows);
    return found.w == PADDLE_W && shot.Count(WHITE, rows) == PADDLE_W * PADDLE_H ? found.x : -1;
}

// Play with no menu over it: both paddles' rows show white (a paddle at a side wall slides a
// little under it, so not always the whole paddle).
bool PlayShown(const Screenshot& shot) {
    const auto rowsShowWhite = [&](int which) {
        return shot.Count(WHITE, Area{WALL, PADDLE_Y[which], 625 - WALL, PADDLE_H}) > 0;
    };
    return shot.Count(TITLE_BLUE) == 0 && rowsShowWhite(HOST) && rowsShowWhite(GUEST);
}

void ExpectBothShow(LinkedEnds& ends, const std::string& what,
                    const std::function<bool(const Screenshot&)>& condition) {
    for (int which : {HOST, GUEST}) {
        SCOPED_TRACE(END_NAMES[which]);
        ends.End(which).WaitUntil(what, condition);
    }
}

// "Quit" on the main menu ends the program as on one keyboard.
void QuitFromMainMenu(GameProcess& game) {
    game.WaitUntil("the main menu", MainMenuShown);
    game.Press("Down Down Return");
    EXPECT_EQ(game.WaitForExit(), 0);
}

// The host closes its window during play and ends as on one keyboard; the guest is told, and
// quits from its main menu (a close request counts only during play).
void EndBoth(LinkedEnds& ends) {
    ends.End(HOST).RequestClose();
    EXPECT_EQ(ends.End(HOST).WaitForExit(), 0);
    ASSERT_TRUE(ends.Log(GUEST).WaitFor("end left", 1));
    ends.End(GUEST).Press("Return");
    QuitFromMainMenu(ends.End(GUEST));
}

TEST(TamuLinkEndToEnd, EachEndSteersItsPaddleOnBothScreensAndPausesAndContinuesBoth) {
    LinkedEnds ends;
    ASSERT_NO_FATAL_FAILURE(ends.StartDuel());
    ExpectBothShow(ends, "the duel on both screens", PlayShown);
    // Side by side, so neither window's picture is the other's.
    const Screenshot screen = ScreenShot();
    EXPECT_GT(screen.Count(WHITE, Area{0, 0, 640, 480}), 2 * PADDLE_W * PADDLE_H);
    EXPECT_GT(screen.Count(WHITE, Area{GUEST_WINDOW_X, 0, 640, 480}), 2 * PADDLE_W * PADDLE_H);

    struct Steering {
        int end;
        const char* key;
        bool right;
    };
    for (const Steering& steer : {Steering{HOST, "Right", true}, Steering{GUEST, "Left", false}}) {
        SCOPED_TRACE(std::string(END_NAMES[steer.end]) + " holds " + steer.key);
        ends.End(steer.end).KeyDown(steer.key);
        ExpectBothShow(ends, "the paddle at its wall", [&](const Screenshot& shot) {
            return PaddleX(shot, steer.end) == (steer.right ? RIGHT_STOP : LEFT_STOP);
        });
        ends.End(steer.end).KeyUp(steer.key);
    }

    struct PauseCase {
        int pauser;
        const char* key;
        int continuer;
    };
    int pauses = 0;
    for (const PauseCase& pause : {PauseCase{HOST, "p", GUEST}, PauseCase{GUEST, "Escape", HOST}}) {
        SCOPED_TRACE(std::string(END_NAMES[pause.pauser]) + " pauses, the other continues");
        ends.End(pause.pauser).Press(pause.key);
        ExpectBothShow(ends, "the pause menu", PausedShown);
        ++pauses;
        ASSERT_TRUE(ends.Log(HOST).WaitFor("paused", pauses));
        ASSERT_TRUE(ends.Log(GUEST).WaitFor("paused", pauses));
        ends.End(pause.continuer).Press("Return");
        ExpectBothShow(ends, "the duel going on", PlayShown);
    }
    const std::vector<LoggedDuel> host = ends.Log(HOST).Duels();
    const std::vector<LoggedDuel> guest = ends.Log(GUEST).Duels();
    ASSERT_EQ(host.size(), 1u);
    ASSERT_EQ(guest.size(), 1u);
    EXPECT_EQ(host[0].paused, guest[0].paused) << "both paused at the same frames";
    EndBoth(ends);
}

// When one end goes, by its window or by falling silent, the other says so and goes back to
// its main menu; a host left alone takes a new guest.
TEST(TamuLinkEndToEnd, TheEndLeftSaysTheOtherPlayerLeftAndAHostTakesANewGuest) {
    struct Leaving {
        int leaver;
        bool silent;  // stopped, as by a pulled cable, rather than closed
    };
    for (const Leaving& leaving :
         {Leaving{GUEST, false}, Leaving{HOST, false}, Leaving{GUEST, true}, Leaving{HOST, true}}) {
        SCOPED_TRACE(std::string(END_NAMES[leaving.leaver]) +
                     (leaving.silent ? " falls silent" : " closes its window"));
        LinkedEnds ends;
        ASSERT_NO_FATAL_FAILURE(ends.StartDuel());
        const int stayer = 1 - leaving.leaver;
        GameProcess& leaver = ends.End(leaving.leaver);
        if (leaving.silent) {
            kill(leaver.Pid(), SIGSTOP);
        } else {
            leaver.RequestClose();
            EXPECT_EQ(leaver.WaitForExit(), 0);
        }
        EXPECT_TRUE(ends.Log(stayer).WaitFor("end left", 1, SILENT_PEER_NOTICED));
        ends.End(stayer).Press("Return");
        if (leaving.silent) {
            kill(leaver.Pid(), SIGKILL);
            EXPECT_EQ(leaver.WaitForExit(), 128 + SIGKILL);
        }
        if (stayer == HOST) {
            ends.JoinGuest();
            ASSERT_NO_FATAL_FAILURE(ends.StartDuel());
            EndBoth(ends);
        } else {
            QuitFromMainMenu(ends.End(GUEST));
        }
    }
}

// Over the relay's bad link, each end holds its keys in turns of its own for a while.
void PlayScriptedDuel(LinkedEnds& ends, std::chrono::milliseconds length) {
    const char* const keys[] = {"Left", "Right"};
    const std::chrono::milliseconds hold[] = {std::chrono::milliseconds(170),
                                              std::chrono::milliseconds(230)};
    const std::chrono::milliseconds rest[] = {std::chrono::milliseconds(400),
                                              std::chrono::milliseconds(330)};
    Clock::time_point next[2] = {Clock::now(), Clock::now() + std::chrono::milliseconds(90)};
    bool holding[2] = {false, false};
    int turns[2] = {0, 0};
    const Clock::time_point end = Clock::now() + length;
    while (Clock::now() < end) {
        for (int which : {HOST, GUEST}) {
            if (Clock::now() < next[which]) {
                continue;
            }
            const char* key = keys[(turns[which] / (which + 1)) % 2];
            if (holding[which]) {
                ends.End(which).KeyUp(key);
                ++turns[which];
                next[which] += rest[which];
            } else {
                ends.End(which).KeyDown(key);
                next[which] += hold[which];
            }
            holding[which] = !holding[which];
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    for (int which : {HOST, GUEST}) {
        if (holding[which]) {
            ends.End(which).KeyUp(keys[(turns[which] / (which + 1)) % 2]);
        }
    }
}

// The frames in which an end's own paddle, at rest, got a key: it must move in that frame.
void ExpectOwnPaddleAnswersAtOnce(const LoggedDuel& duel, int which) {
    int answered = 0;
    for (std::size_t i = 2; i < duel.drawn.size(); ++i) {
        const DrawnFrame& now = duel.drawn[i];
        const DrawnFrame& before = duel.drawn[i - 1];
        const unsigned steering = now.keys & (NET_LEFT | NET_RIGHT);
        const bool fresh = (before.keys & (NET_LEFT | NET_RIGHT)) == 0 && steering != 0 &&
                           steering != (NET_LEFT | NET_RIGHT);
        const bool atRest = before.x[which] == duel.drawn[i - 2].x[which];
        const bool atStop = before.x[which] == (steering == NET_LEFT ? LEFT_STOP : RIGHT_STOP);
        if (!fresh || !atRest || atStop || now.frame != before.frame + 1) {
            continue;
        }
        ++answered;
        const int moved = now.x[which] - before.x[which];
        EXPECT_TRUE(steering == NET_RIGHT ? moved > 0 : moved < 0)
            << "frame " << now.frame << ": the paddle went from " << before.x[which] << " to "
            << now.x[which];
    }
    EXPECT_GT(answered, 20) << "keys pressed with the paddle at rest";
}

// A minute's duel through 75 ms +/- 10 ms and 2% loss each way, paused by the host halfway and
// continued by the guest: the same confirmed frames on both ends, the same scores, no long
// wait between two frames (those just after the start and the continue included), each paddle
// answering its key in the next frame; then "Return to Menu" keeps the link for another duel.
TEST(TamuLinkEndToEnd, AMinuteOverABadLinkPlaysTheSameDuelOnBothEnds) {
    LinkedEnds ends(static_cast<int>(BAD_LINK_DUEL.count()) + 90);
    ASSERT_NO_FATAL_FAILURE(ends.StartDuel());
    PlayScriptedDuel(ends, BAD_LINK_DUEL / 2);
    ends.End(HOST).Press("p");
    ExpectBothShow(ends, "the pause menu", PausedShown);
    ends.End(GUEST).Press("Return");
    ExpectBothShow(ends, "the duel going on", PlayShown);
    PlayScriptedDuel(ends, BAD_LINK_DUEL / 2);
    ends.End(HOST).Press("p");
    ExpectBothShow(ends, "the pause menu", PausedShown);
    ends.End(HOST).Press("Down Return");
    ends.End(HOST).WaitUntil("the main menu", MainMenuShown);
    ASSERT_TRUE(ends.Log(HOST).WaitFor("end", 1));
    ASSERT_TRUE(ends.Log(GUEST).WaitFor("end", 1));

    const LoggedDuel duel[2] = {ends.Log(HOST).Duels().at(0), ends.Log(GUEST).Duels().at(0)};
    int compared = 0;
    for (const auto& [frame, checksum] : duel[HOST].checksums) {
        const auto other = duel[GUEST].checksums.find(frame);
        if (other != duel[GUEST].checksums.end()) {
            ++compared;
            EXPECT_EQ(checksum, other->second) << "frame " << frame;
        }
    }
    EXPECT_GT(compared, 4000) << "confirmed frames known to both ends";
    for (int which : {HOST, GUEST}) {
        SCOPED_TRACE(END_NAMES[which]);
        const std::vector<std::string>& end = duel[which].end;
        ASSERT_FALSE(end.empty());
        EXPECT_EQ(end[1], "menu");
        EXPECT_EQ(Value(end, "scores"), Value(duel[1 - which].end, "scores"));
        EXPECT_EQ(Value(end, "scores", 2), Value(duel[1 - which].end, "scores", 2));
        EXPECT_LE(Value(end, "longest-wait-ms"), LONGEST_FRAME_WAIT_MS);
        EXPECT_EQ(duel[which].paused, duel[1 - which].paused);
        ExpectOwnPaddleAnswersAtOnce(duel[which], which);
        // The pace, for bench/link-duel to gather; measured, not asserted. The time on the
        // pause screen doesn't count.
        const std::vector<DrawnFrame>& drawn = duel[which].drawn;
        unsigned playedMs = drawn.back().ticks - drawn.front().ticks;
        for (std::size_t i = 1; i < drawn.size(); ++i) {
            if (!duel[which].paused.empty() && drawn[i].frame == duel[which].paused[0] + 1) {
                playedMs -= drawn[i].ticks - drawn[i - 1].ticks;
            }
        }
        std::string line;
        for (const std::string& word : end) {
            line += " " + word;
        }
        std::printf("link-duel %s drawn %zu ms %u |%s\n", END_NAMES[which], drawn.size(), playedMs,
                    line.c_str());
    }

    // The guest is told the host ended the duel; still joined, both play again.
    ends.End(GUEST).Press("Return");
    ends.End(GUEST).WaitUntil("the main menu", MainMenuShown);
    ASSERT_NO_FATAL_FAILURE(ends.StartDuel());
    ExpectBothShow(ends, "the second duel on both screens", PlayShown);
    EndBoth(ends);
}

}  // namespace
