#include "net/rollback.h"

namespace {

int Slot(std::uint32_t frame) {
    return static_cast<int>(frame % KEPT_FRAMES);
}

}  // namespace

RollbackSession::RollbackSession(const DuelRules& rules, const DuelSnapshot& start, int paddle,
                                 int delay, std::uint16_t era)
    : rules(rules), paddle(paddle), delay(delay), era(era) {
    states[0] = start;
    // Before the first control acts, this end holds nothing, and so does the other.
    localKnown = delay;
    remoteKnown = 0;
}

bool RollbackSession::CanAdvance() const {
    return desyncFrame == 0 && frame + 1 <= remoteKnown + MAX_PREDICTED_FRAMES &&
           (stopFrame == 0 || frame < stopFrame);
}

bool RollbackSession::Stopped() const {
    return stopFrame != 0 && frame == stopFrame && remoteKnown >= stopFrame && firstWrong == 0;
}

void RollbackSession::StopAt(std::uint32_t at) {
    if (stopFrame != 0 && stopFrame <= at) {
        return;
    }
    stopFrame = at;
    // What was played past it on a guess never happened.
    if (frame > stopFrame) {
        frame = stopFrame;
    }
}

void RollbackSession::Settle() {
    PutRight();
    Confirm();
}

std::uint8_t RollbackSession::RemoteControls(std::uint32_t at) const {
    if (at <= remoteKnown) {
        return remote[Slot(at)];
    }
    return remoteKnown == 0 ? 0 : remote[Slot(remoteKnown)];
}

std::uint32_t RollbackSession::PlayFrame(std::uint32_t at) {
    std::uint8_t controls[2];
    controls[paddle] = local[Slot(at)] & (NET_LEFT | NET_RIGHT);
    guessed[Slot(at)] = RemoteControls(at);
    controls[1 - paddle] = guessed[Slot(at)] & (NET_LEFT | NET_RIGHT);
    states[Slot(at)] = states[Slot(at - 1)];
    return rules.step(states[Slot(at)], controls);
}

// Plays again from the first frame that was played on a wrong guess; what those frames
// sounded was heard already.
void RollbackSession::PutRight() {
    if (firstWrong == 0 || firstWrong > frame) {
        firstWrong = 0;
        return;
    }
    for (std::uint32_t at = firstWrong; at <= frame; ++at) {
        PlayFrame(at);
        ++replayed;
    }
    firstWrong = 0;
}

void RollbackSession::Confirm() {
    const std::uint32_t settled = frame < remoteKnown ? frame : remoteKnown;
    while (confirmed < settled) {
        ++confirmed;
        Checksum& entry = mine[Slot(confirmed)];
        entry.frame = confirmed;
        entry.value = rules.checksum(states[Slot(confirmed)]);
        Compare(confirmed);
    }
}

void RollbackSession::Compare(std::uint32_t at) {
    const Checksum& a = mine[Slot(at)];
    const Checksum& b = theirs[Slot(at)];
    if (a.frame != at || b.frame != at) {
        return;
    }
    if (a.value != b.value) {
        if (desyncFrame == 0) {
            desyncFrame = at;
        }
    } else if (at > compared) {
        compared = at;
    }
}

void RollbackSession::SyncTest() {
    const std::uint32_t depth = frame < MAX_PREDICTED_FRAMES ? frame : MAX_PREDICTED_FRAMES;
    const std::uint32_t first = frame - depth + 1;
    std::uint32_t before[MAX_PREDICTED_FRAMES];
    for (std::uint32_t at = first; at <= frame; ++at) {
        before[at - first] = rules.checksum(states[Slot(at)]);
    }
    for (std::uint32_t at = first; at <= frame; ++at) {
        PlayFrame(at);
        if (rules.checksum(states[Slot(at)]) != before[at - first] && desyncFrame == 0) {
            desyncFrame = at;
        }
    }
}

std::uint32_t RollbackSession::Advance(std::uint8_t controls) {
    PutRight();
    // The control read now acts after the delay.
    localKnown = frame + 1 + delay;
    local[Slot(localKnown)] = controls;
    if ((controls & NET_PAUSE) != 0) {
        StopAt(localKnown);
    }
    ++frame;
    const std::uint32_t sounds = PlayFrame(frame);
    if (syncTest) {
        SyncTest();
    }
    Confirm();
    if (frame <= heard) {
        return 0;
    }
    heard = frame;
    return sounds;
}

NetPacket RollbackSession::Outgoing() const {
    NetPacket packet;
    packet.kind = PacketKind::CONTROLS;
    packet.era = era;
    packet.frame = frame;
    packet.ack = remoteKnown;
    packet.first = remoteAck + 1;
    std::uint32_t count = localKnown - remoteAck;
    if (count > MAX_CONTROLS_PER_PACKET) {
        count = MAX_CONTROLS_PER_PACKET;
    }
    packet.count = count;
    for (std::uint32_t i = 0; i < count; ++i) {
        packet.controls[i] = local[Slot(packet.first + i)];
    }
    packet.lead = static_cast<std::int16_t>(seenLead);
    packet.checkedFrame = confirmed;
    packet.checksum = confirmed == 0 ? 0 : mine[Slot(confirmed)].value;
    return packet;
}

bool RollbackSession::Take(const std::uint8_t* data, std::size_t size) {
    // The other end can't have played, held or checked what lies beyond what it could guess.
    const std::uint32_t reach = localKnown + MAX_PREDICTED_FRAMES + MAX_CONTROLS_PER_PACKET;
    const std::uint32_t lowest = remoteKnown >= KEPT_FRAMES / 2 ? remoteKnown - KEPT_FRAMES / 2 : 0;
    NetPacket packet;
    if (ReadPacket(data, size, FrameWindow{lowest, reach}, packet) != PacketVerdict::ACCEPTED ||
        packet.kind != PacketKind::CONTROLS || packet.era != era || packet.ack > localKnown ||
        packet.checkedFrame > localKnown) {
        ++refused;
        return false;
    }
    if (packet.ack > remoteAck) {
        remoteAck = packet.ack;
    }
    for (int i = 0; i < packet.count; ++i) {
        const std::uint32_t at = packet.first + i;
        // Only the next frame in turn, and never so far ahead that it would overwrite a slot
        // still in use.
        if (at != remoteKnown + 1 || at > confirmed + KEPT_FRAMES / 2) {
            continue;
        }
        remote[Slot(at)] = packet.controls[i];
        remoteKnown = at;
        if ((packet.controls[i] & NET_PAUSE) != 0) {
            StopAt(at);
        }
        if (at <= frame && guessed[Slot(at)] != packet.controls[i] &&
            (firstWrong == 0 || at < firstWrong)) {
            firstWrong = at;
        }
    }
    if (packet.checkedFrame != 0 && packet.checkedFrame + KEPT_FRAMES / 2 > confirmed) {
        Checksum& entry = theirs[Slot(packet.checkedFrame)];
        entry.frame = packet.checkedFrame;
        entry.value = packet.checksum;
        Compare(packet.checkedFrame);
    }
    const int sample = (static_cast<int>(frame) - static_cast<int>(packet.frame)) * 16;
    seenLead += (sample - seenLead) / 8;
    theirLead = packet.lead;
    return true;
}

std::uint32_t RollbackSession::ConfirmedChecksum(std::uint32_t at) const {
    const Checksum& entry = mine[Slot(at)];
    return entry.frame == at && at <= confirmed ? entry.value : 0;
}

int RollbackSession::LeadSixteenths() const {
    return (seenLead - theirLead) / 2;
}
