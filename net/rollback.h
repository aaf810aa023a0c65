#pragma once

#include <cstdint>

#include "net/packet.h"

// One end of a network duel played with rollback. Each end runs the whole duel from both
// paddles' controls: its own act at once (after a small fixed delay), the other end's are
// predicted (the last ones received hold) until they arrive; a wrong guess puts the duel back
// to the first wrong frame and plays it again. The session knows the duel only through
// `DuelRules`, and the other end only through packets, so two sessions can play each other
// in one process.

// The duel's whole state as a value: the duel keeps its own record in these bytes.
const int DUEL_STATE_BYTES = 128;
struct DuelSnapshot {
    std::uint8_t bytes[DUEL_STATE_BYTES] = {};
};

// What the session needs of a duel. `step` plays one frame from the two paddles' controls
// (NET_LEFT, NET_RIGHT bits; index 0 the bottom paddle) and gives the frame's sounds as bits.
struct DuelRules {
    std::uint32_t (*step)(DuelSnapshot& state, const std::uint8_t controls[2]);
    std::uint32_t (*checksum)(const DuelSnapshot& state);
};

// Frames the other end's controls may be guessed before this end waits for them.
const int MAX_PREDICTED_FRAMES = 8;
// Frames of states and controls kept; more than the guess, the delay and a packet's run.
const int KEPT_FRAMES = 64;

class RollbackSession {
public:
    // `paddle` is the one this end steers (0 bottom, 1 top); `delay` frames pass before a
    // local control acts.
    RollbackSession(const DuelRules& rules, const DuelSnapshot& start, int paddle, int delay,
                    std::uint16_t era);

    // The frames played so far; the state after the latest.
    std::uint32_t Frame() const { return frame; }
    const DuelSnapshot& State() const { return states[frame % KEPT_FRAMES]; }

    // Whether the next frame may be played: false while the other end's controls are more
    // than MAX_PREDICTED_FRAMES behind, and from the frame where an end paused.
    bool CanAdvance() const;
    // Plays the next frame with this end's controls read now, after putting right any frame
    // played on a wrong guess. The sounds of frames not heard before.
    std::uint32_t Advance(std::uint8_t controls);

    // A pause pressed on either end (NET_PAUSE in its controls) stops the duel after that
    // frame on both: the end that played past it on a guess is put back to it. Stopped once
    // every frame up to it is known from both ends and played right, so that no earlier pause
    // can still turn up; the frame it stopped at (0 while it runs).
    bool Stopped() const;
    std::uint32_t StopFrame() const { return stopFrame; }
    // Puts right what the latest packets showed guessed wrong, without playing a new frame.
    void Settle();
    // This end's controls that the other end is known to hold: frames 1 to it.
    std::uint32_t HeldByOtherEnd() const { return remoteAck; }

    // Sync test: every frame is put back and played again up to MAX_PREDICTED_FRAMES deep,
    // and must give the same checksums.
    void SetSyncTest(bool on) { syncTest = on; }

    // The packet this end sends now, and what it does with one from the other end (false,
    // and counted, when refused).
    NetPacket Outgoing() const;
    bool Take(const std::uint8_t* data, std::size_t size);
    int Refused() const { return refused; }

    // The first frame whose checksums differed between the ends (or in a sync test); 0 while
    // they agree.
    std::uint32_t DesyncFrame() const { return desyncFrame; }
    // Frames played with both ends' controls and compared with the other end's checksum.
    std::uint32_t ConfirmedFrame() const { return confirmed; }
    std::uint32_t ComparedFrame() const { return compared; }
    // This end's checksum of a confirmed frame among the latest KEPT_FRAMES (0 otherwise).
    std::uint32_t ConfirmedChecksum(std::uint32_t at) const;
    // Frames played again because of a wrong guess, in all.
    std::uint32_t ReplayedFrames() const { return replayed; }
    // The other end's controls as this end used them for `at` (known or guessed).
    std::uint8_t RemoteControls(std::uint32_t at) const;
    // How far this end sees itself ahead of the other, in 1/16 frames (from both ends' view).
    int LeadSixteenths() const;

private:
    struct Checksum {
        std::uint32_t frame = 0;
        std::uint32_t value = 0;
    };

    void PutRight();
    void StopAt(std::uint32_t at);
    std::uint32_t PlayFrame(std::uint32_t at);
    void Confirm();
    void Compare(std::uint32_t at);
    void SyncTest();

    DuelRules rules;
    int paddle;
    int delay;
    std::uint16_t era;
    bool syncTest = false;

    std::uint32_t frame = 0;
    DuelSnapshot states[KEPT_FRAMES];
    std::uint8_t local[KEPT_FRAMES] = {};
    std::uint8_t remote[KEPT_FRAMES] = {};
    std::uint8_t guessed[KEPT_FRAMES] = {};  // the other end's controls a frame was played with
    std::uint32_t localKnown;                // this end's controls known for frames 1 to it
    std::uint32_t remoteKnown;               // the other end's, received
    std::uint32_t remoteAck = 0;             // this end's that the other end holds
    std::uint32_t firstWrong = 0;            // first frame played on a wrong guess; 0 none
    std::uint32_t heard = 0;                 // latest frame whose sounds were given
    std::uint32_t confirmed = 0;
    std::uint32_t compared = 0;
    Checksum mine[KEPT_FRAMES];
    Checksum theirs[KEPT_FRAMES];
    std::uint32_t desyncFrame = 0;
    std::uint32_t stopFrame = 0;
    std::uint32_t replayed = 0;
    int refused = 0;
    int seenLead = 0;   // frames this end is on when a packet arrives minus the sender's, x16
    int theirLead = 0;  // the same as the other end sees it
};
