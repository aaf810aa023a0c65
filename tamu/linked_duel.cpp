#include "tamu/linked_duel.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "framework/clock.h"
#include "framework/sound.h"
#include "net/link.h"
#include "net/rollback.h"
#include "platform/command_line.h"
#include "platform/display.h"
#include "platform/gamepads.h"
#include "platform/quit_request.h"
#include "platform/report.h"
#include "shell/controls.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "shell/screens.h"
#include "tamu/constants.h"
#include "tamu/draw.h"
#include "tamu/duel.h"

namespace tamu {

namespace {

static_assert(sizeof(DuelState) <= DUEL_STATE_BYTES, "a duel's state fits a snapshot");

// Frames a local key waits before it acts. Measured over a 75 ms link (docs/network.md):
// without a delay the guesses cover the trip and a player's own paddle answers in the frame
// after the key, as on one keyboard, so none is added.
const int LOCAL_DELAY_FRAMES = 0;
// The end that runs ahead by more than a frame sits out one frame in this many, until the
// two are level again: slow enough to go unseen, quick enough to catch up a trip's skew
// within a second.
const int PACE_LEAD_SIXTEENTHS = 16;
const int PACE_WAIT_SPACING = 8;
// While paused, how long a Continue waits for the other end to hold this end's controls up
// to the pause, in passes of the pause screen.
const int CONTINUE_WAIT_PASSES = SILENT_PEER_MS / 20;
const Uint32 CONTINUE_WAIT_MS = 20;
// Packets looked at in one go: more than a frame's worth, and never endless.
const int MOST_PACKETS_A_LOOK = 64;
// A frame held up by the other end's controls waits for them within its own pass, as long as
// this leaves time to draw it: over a long link they are often only a few milliseconds late,
// and a pass given up is a frame the duel loses.
const Uint32 DRAW_RESERVE_MS = 3;
const int MOST_LOOKS_A_PASS = 16;
// The end that says go (the host's Play, a Continue) plays its first frame once the other
// end's first packet of the stretch is in; the end told to go waits out half a round trip
// first, the time that packet takes, so that both play the first frame together and neither
// runs its eight guessed frames ahead only to wait. Never longer than this:
const Uint32 MOST_START_OFFSET_MS = 250;

// The environment variable naming a file where the duel writes what the tests check (its
// frames, keys, checksums and figures); nothing is written without it.
const char* const LOG_VARIABLE = "ZEM_NET_LOG";
// Lets the measuring tools try a delay of 0 to 2 frames.
const char* const DELAY_VARIABLE = "ZEM_NET_DELAY";

enum class Role { NONE, HOST, GUEST };

// What the other end said that ends or resumes what this end is doing.
enum class Word { NONE, LEFT, TO_MENU, DESYNC };

// Whether this end started a stretch of the duel or was told to by the other.
enum class Go { SAID, TOLD };

std::unique_ptr<DuelLink> link;
Role role = Role::NONE;
bool hostGone = false;  // a guest whose host left plays on one keyboard
int localDelay = LOCAL_DELAY_FRAMES;
std::FILE* logFile = nullptr;

// A start the host sent while this end was on a screen.
bool startPending = false;
std::uint16_t pendingEra = 0;

// The duel over the link: one rollback session per stretch between pauses.
bool running = false;
std::optional<RollbackSession> session;
std::uint16_t era = 0;
std::uint32_t framesBefore = 0;  // frames of the duel in the stretches before this one
bool pausePressed = false;
Word heard = Word::NONE;
std::uint32_t heardFrame = 0;
std::uint32_t continuedAt = 0;  // the other end continued after the pause at this frame
std::uint32_t loggedConfirmed = 0;
int framesSincePaceWait = 0;
bool otherEndBegun = false;  // a packet of this stretch came from the other end
Uint32 firstFrameTicks = 0;  // not before this

// The figures of a duel, for the log.
struct DuelFigures {
    Uint32 startTicks = 0;
    Uint32 lastFrameTicks = 0;
    Uint32 longestWaitMs = 0;
    std::uint32_t waits = 0;
    std::uint32_t paceWaits = 0;
    std::uint32_t replayed = 0;
    int refused = 0;
    std::uint32_t stale = 0;
};
DuelFigures figures;

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...) {
    if (logFile == nullptr) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(logFile, format, arguments);
    va_end(arguments);
    std::fputc('\n', logFile);
    std::fflush(logFile);
}

DuelState StateOf(const DuelSnapshot& snapshot) {
    DuelState state;
    std::memcpy(&state, snapshot.bytes, sizeof state);
    return state;
}

DuelSnapshot SnapshotOf(const DuelState& state) {
    DuelSnapshot snapshot;
    std::memcpy(snapshot.bytes, &state, sizeof state);
    return snapshot;
}

// The rules as the session plays them: on the program-wide duel, put in place from the
// snapshot and taken back after the step.
std::uint32_t StepSnapshot(DuelSnapshot& snapshot, const std::uint8_t controls[2]) {
    RestoreDuel(StateOf(snapshot));
    PaddleControls both[PADDLES];
    for (int paddle = 0; paddle < PADDLES; ++paddle) {
        both[paddle].left = (controls[paddle] & NET_LEFT) != 0;
        both[paddle].right = (controls[paddle] & NET_RIGHT) != 0;
    }
    const std::uint32_t sounds = StepDuel(both);
    snapshot = SnapshotOf(SaveDuel());
    return sounds;
}

std::uint32_t SnapshotChecksum(const DuelSnapshot& snapshot) {
    return DuelChecksum(StateOf(snapshot));
}

const DuelRules RULES = {StepSnapshot, SnapshotChecksum};

void OpenLog() {
    const char* path = std::getenv(LOG_VARIABLE);
    if (path != nullptr && *path != '\0') {
        logFile = std::fopen(path, "w");
    }
    const char* delay = std::getenv(DELAY_VARIABLE);
    if (delay != nullptr && delay[0] >= '0' && delay[0] <= '2' && delay[1] == '\0') {
        localDelay = delay[0] - '0';
    }
}

std::uint16_t ChosenPort() {
    return chosenOnCommandLine.port != 0 ? chosenOnCommandLine.port : DEFAULT_DUEL_PORT;
}

// The other end's address without its port: the port a guest sends from says nothing.
std::string PeerAddress() {
    const std::string& name = link->PeerName();
    return name.substr(0, name.rfind(':'));
}

void SendControls() {
    link->Send(session->Outgoing(), false);
    link->Flush();
}

void BeginStretch(const DuelState& from, Go go) {
    const int paddle = role == Role::HOST ? BOTTOM_PADDLE : TOP_PADDLE;
    session.emplace(RULES, SnapshotOf(from), paddle, localDelay, era);
    continuedAt = 0;
    loggedConfirmed = 0;
    pausePressed = false;
    framesSincePaceWait = 0;
    figures.lastFrameTicks = 0;
    otherEndBegun = go == Go::TOLD;
    firstFrameTicks = SDL_GetTicks();
    if (go == Go::TOLD) {
        firstFrameTicks += std::min(link->RoundTripMs() / 2, MOST_START_OFFSET_MS);
        SendControls();
    }
}

bool StretchBegun() {
    return otherEndBegun && static_cast<Sint32>(SDL_GetTicks() - firstFrameTicks) >= 0;
}

void SendWord(PacketKind kind, std::uint32_t frame) {
    NetPacket packet;
    packet.kind = kind;
    packet.era = era;
    packet.frame = frame;
    link->Send(packet, true);
    link->Flush();
}

// What the other end sent during the duel: its controls to the session, its words noted.
void HearOtherEnd() {
    for (int i = 0; i < MOST_PACKETS_A_LOOK && heard == Word::NONE; ++i) {
        ArrivedPacket arrived;
        const LinkNews news = link->Service(arrived);
        if (news == LinkNews::NOTHING) {
            return;
        }
        if (news == LinkNews::LEFT) {
            heard = Word::LEFT;
            return;
        }
        if (news != LinkNews::PACKET) {
            continue;
        }
        const NetPacket& packet = arrived.packet;
        const bool thisStretch = packet.era == era;
        switch (packet.kind) {
            case PacketKind::CONTROLS:
                if (thisStretch) {
                    otherEndBegun |= session->Take(arrived.bytes, arrived.size);
                } else {
                    ++figures.stale;
                }
                break;
            case PacketKind::CONTINUE:
                if (thisStretch) {
                    continuedAt = packet.frame;
                }
                break;
            case PacketKind::TO_MENU:
                // Also one sent while this end was continuing: a way out wins over going on.
                if (thisStretch || packet.era + 1 == era) {
                    heard = Word::TO_MENU;
                }
                break;
            case PacketKind::DESYNC:
                if (thisStretch) {
                    heard = Word::DESYNC;
                    heardFrame = packet.frame;
                }
                break;
            default:
                break;
        }
    }
}

void LogConfirmed() {
    const std::uint32_t confirmed = session->ConfirmedFrame();
    for (std::uint32_t at = loggedConfirmed + 1; at <= confirmed; ++at) {
        Log("c %u %08x", framesBefore + at, session->ConfirmedChecksum(at));
    }
    if (confirmed > loggedConfirmed) {
        loggedConfirmed = confirmed;
    }
}

void EndDuel(const char* how) {
    if (session) {
        figures.replayed += session->ReplayedFrames();
        figures.refused += session->Refused();
        const DuelState last = StateOf(session->State());
        const Uint32 seconds = (SDL_GetTicks() - figures.startTicks) / 1000;
        Log("end %s frames %u scores %d %d waits %u pace-waits %u longest-wait-ms %u replayed %u "
            "refused %d stale %u sent %llu received %llu seconds %u",
            how, framesBefore + session->Frame(), last.scores[BOTTOM_PADDLE],
            last.scores[TOP_PADDLE], figures.waits, figures.paceWaits, figures.longestWaitMs,
            figures.replayed, figures.refused + link->Refused(), figures.stale,
            static_cast<unsigned long long>(link->BytesSent()),
            static_cast<unsigned long long>(link->BytesReceived()), seconds);
    }
    running = false;
    session.reset();
    heard = Word::NONE;
}

void BackToMainMenu() {
    while (!StateStack.empty() && !StateOnTop(MenuState)) {
        StateStack.pop();
    }
    PreMenu();
}

// The duel ends on a word of the other end (or on a difference this end found): what
// happened is told over the last picture, and the main menu follows.
void EndOnWord(Word word, std::uint32_t frame) {
    EndDuel(word == Word::LEFT ? "left" : word == Word::TO_MENU ? "menu" : "desync");
    if (word == Word::DESYNC) {
        ShowNotice({"The two screens differed", "at frame " + std::to_string(frame)},
                   ServeWhileWaiting);
    } else if (word == Word::LEFT) {
        ShowNotice({"The other player left"}, ServeWhileWaiting);
    } else {
        ShowNotice({"The other player ended the duel"}, ServeWhileWaiting);
    }
    BackToMainMenu();
}

// The pause is over on both ends: the next stretch starts from the paused frame.
void ContinueAfterPause(Go go) {
    const DuelState paused = StateOf(session->State());
    framesBefore += session->StopFrame();
    figures.replayed += session->ReplayedFrames();
    figures.refused += session->Refused();
    Log("continued %u", framesBefore);
    ++era;
    BeginStretch(paused, go);
    lastFrame = timer.GetTicks();
}

// The pause screen's look at the link on each of its passes.
bool ServePausedLink() {
    ServeDisplay();
    PollPads();
    HearOtherEnd();
    session->Settle();
    SendControls();
    return QuitRequested() || heard != Word::NONE ||
           (continuedAt != 0 && continuedAt == session->StopFrame());
}

// Before this end goes on, the other must hold all its controls up to the pause, or it could
// never reach the paused frame.
void WaitUntilOtherEndReachesPause() {
    for (int pass = 0; pass < CONTINUE_WAIT_PASSES && heard == Word::NONE; ++pass) {
        if (session->HeldByOtherEnd() >= session->StopFrame() ||
            continuedAt == session->StopFrame() || QuitRequested()) {
            return;
        }
        ZEM_Delay(CONTINUE_WAIT_MS);
        HearOtherEnd();
        SendControls();
    }
}

void LinkedPauseState() {
    Log("paused %u", framesBefore + session->StopFrame());
    const int choice = ChooseOnPauseScreen(ServePausedLink);
    if (QuitRequested()) {
        return;
    }
    if (heard != Word::NONE) {
        EndOnWord(heard, heardFrame);
        return;
    }
    if (choice == CHOICE_RETURN_TO_MENU) {
        SendWord(PacketKind::TO_MENU, session->StopFrame());
        EndDuel("menu");
        BackToMainMenu();
        return;
    }
    if (choice == CHOICE_CONTINUE) {
        WaitUntilOtherEndReachesPause();
        if (heard != Word::NONE) {
            EndOnWord(heard, heardFrame);
            return;
        }
        SendWord(PacketKind::CONTINUE, session->StopFrame());
    }
    ContinueAfterPause(choice == CHOICE_CONTINUE ? Go::SAID : Go::TOLD);
    StateStack.pop();
}

// The one event of a frame: a quit request ends the program as on one keyboard; P or Escape
// goes with this end's next controls, so both ends pause at the frame it acts in.
void TakeLinkedEvent() {
    PollPads();
    if (SDL_PollEvent(&event) == 0) {
        return;
    }
    if (event.type == SDL_QUIT) {
        EmptyStateStack();
    } else if (event.type == SDL_KEYDOWN &&
               (event.key.keysym.sym == SDLK_p || event.key.keysym.sym == SDLK_ESCAPE)) {
        pausePressed = true;
    }
}

// The end that runs ahead sits out a frame now and then, so that neither waits on the other.
bool SitsOutForPace() {
    if (session->LeadSixteenths() > PACE_LEAD_SIXTEENTHS &&
        framesSincePaceWait >= PACE_WAIT_SPACING) {
        framesSincePaceWait = 0;
        ++figures.paceWaits;
        return true;
    }
    return false;
}

bool HeldUpByOtherEnd() {
    return heard == Word::NONE &&
           (!otherEndBegun ||
            (!session->CanAdvance() && !session->Stopped() && session->DesyncFrame() == 0));
}

void AwaitOtherEndWithinPass() {
    for (int look = 0; look < MOST_LOOKS_A_PASS && HeldUpByOtherEnd(); ++look) {
        const Uint32 spent = timer.GetTicks() - lastFrame;
        if (spent + DRAW_RESERVE_MS >= FRAME_PERIOD_MS) {
            return;
        }
        link->AwaitArrival(FRAME_PERIOD_MS - DRAW_RESERVE_MS - spent);
        HearOtherEnd();
    }
}

void NoteFrameTime() {
    const Uint32 now = SDL_GetTicks();
    if (figures.lastFrameTicks != 0 && now - figures.lastFrameTicks > figures.longestWaitMs) {
        figures.longestWaitMs = now - figures.lastFrameTicks;
    }
    figures.lastFrameTicks = now;
}

void PlayNextFrame() {
    PaddleControls own;
    HeldKeysAndPads(BOTTOM_PADDLE, own);
    const std::uint8_t keys =
        (own.left ? NET_LEFT : 0) | (own.right ? NET_RIGHT : 0) | (pausePressed ? NET_PAUSE : 0);
    pausePressed = false;
    const std::uint32_t sounds = session->Advance(keys);
    ++framesSincePaceWait;
    RestoreDuel(StateOf(session->State()));
    ZEM_PlaySounds(sounds);
    DrawGame();
    NoteFrameTime();
    const DuelState shown = SaveDuel();
    Log("f %u %u %u %d %d", framesBefore + session->Frame(), SDL_GetTicks(), keys,
        shown.paddles[BOTTOM_PADDLE].x, shown.paddles[TOP_PADDLE].x);
}

}  // namespace

bool OpenDuelLink() {
    const CommandLineChoices& chosen = chosenOnCommandLine;
    if (!chosen.host && chosen.joinHost.empty()) {
        return true;
    }
    OpenLog();
    link = std::make_unique<DuelLink>();
    std::string why;
    role = chosen.host ? Role::HOST : Role::GUEST;
    const bool open = chosen.host ? link->Listen(chosen.hostAddress, ChosenPort(), why)
                                  : link->Join(chosen.joinHost, ChosenPort(), why);
    if (!open) {
        Report(why);
        link.reset();
        role = Role::NONE;
        return false;
    }
    Log(chosen.host ? "listening %u" : "joined %u", ChosenPort());
    return true;
}

bool ServeDuelLink() {
    if (!link || running) {
        return false;
    }
    for (int i = 0; i < MOST_PACKETS_A_LOOK; ++i) {
        ArrivedPacket arrived;
        const LinkNews news = link->Service(arrived);
        if (news == LinkNews::NOTHING) {
            break;
        }
        if (news == LinkNews::JOINED) {
            Log("player %s", link->PeerName().c_str());
        } else if (news == LinkNews::LEFT) {
            Log("left");
            startPending = false;
            hostGone = role == Role::GUEST;
        } else if (role == Role::GUEST && arrived.packet.kind == PacketKind::START) {
            startPending = true;
            pendingEra = arrived.packet.era;
        }
    }
    return startPending;
}

std::string DuelLinkLine() {
    if (!link) {
        return "";
    }
    if (role == Role::HOST) {
        if (!link->Connected()) {
            return "Waiting for a player on port " + std::to_string(link->Port());
        }
        return "A player joined from " + PeerAddress() + ": choose Play to start the duel";
    }
    if (hostGone) {
        return "The host has left: Play starts a duel on this keyboard";
    }
    return "Joined the host at " + link->PeerName() + ": the host starts the duel";
}

bool MayStartDuel() {
    if (!link) {
        return true;
    }
    return role == Role::HOST ? link->Connected() : hostGone;
}

bool LinkedDuelStarting() {
    return link && link->Connected() && (role == Role::HOST || startPending);
}

void BeginLinkedDuel() {
    if (role == Role::HOST) {
        ++era;
        SendWord(PacketKind::START, 0);
    } else {
        era = pendingEra;
        startPending = false;
    }
    running = true;
    heard = Word::NONE;
    framesBefore = 0;
    figures = DuelFigures();
    figures.startTicks = SDL_GetTicks();
    BeginStretch(SaveDuel(), role == Role::HOST ? Go::SAID : Go::TOLD);
    Log("start %u paddle %d delay %d", era, role == Role::HOST ? BOTTOM_PADDLE : TOP_PADDLE,
        localDelay);
}

const DuelRules& LinkedDuelRules() {
    return RULES;
}

bool LinkedDuelRunning() {
    return running;
}

void LinkedPlayState() {
    TakeLinkedEvent();
    if (StateStack.empty()) {
        EndDuel("quit");
        return;
    }
    HearOtherEnd();
    if (heard != Word::NONE) {
        EndOnWord(heard, heardFrame);
        return;
    }
    session->Settle();
    LogConfirmed();
    if (session->DesyncFrame() != 0) {
        const std::uint32_t frame = framesBefore + session->DesyncFrame();
        Log("desync %u", frame);
        SendWord(PacketKind::DESYNC, frame);
        EndOnWord(Word::DESYNC, frame);
        return;
    }
    if (session->Stopped()) {
        SendControls();
        if (continuedAt != 0 && continuedAt == session->StopFrame()) {
            // The other end chose to go on before this one saw its pause.
            ContinueAfterPause(Go::TOLD);
        } else {
            PushState(LinkedPauseState);
        }
        return;
    }
    AwaitOtherEndWithinPass();
    if (StretchBegun() && session->CanAdvance() && !SitsOutForPace()) {
        PlayNextFrame();
    } else {
        ++figures.waits;
    }
    SendControls();
}

}  // namespace tamu
