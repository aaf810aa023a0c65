#pragma once

#include <string>

#include "net/rollback.h"

// The duel between two machines: `tamu --host` waits on the main menu for one opponent, and
// `tamu --join HOST` is that opponent. When the host chooses "Play" both duels start; the
// host steers the bottom paddle and the guest the top one, each with the cursor keys (and
// pad) of their own machine. Each end plays the whole duel from both ends' controls, with
// the other end's guessed until they arrive (net/rollback.h), and they compare checksums of
// every frame both know. A pause on either end pauses both at the same frame; "Continue
// Game" or "Return to Menu" on either end goes for both.
//
// What the shell asks of a game with a link (shell/game.h); each does nothing in a run
// without --host or --join.
namespace tamu {

// Listens (host) or joins (guest) before the window opens; false, having said why, when the
// port is taken or the host can't be reached or turns this end away.
bool OpenDuelLink();
// On the main menu and the waiting screens: looks after the link; true when the host has
// started a duel that this end is to join.
bool ServeDuelLink();
// "Waiting for a player on port N", who joined, or that the host will start.
std::string DuelLinkLine();
// Whether "Play" may start a duel here: on a host once a player has joined; never on a guest
// while its host is there (the host starts).
bool MayStartDuel();

// Whether the duel that starts now is one over the link; PrePlay then calls BeginLinkedDuel
// after setting up the playfield, and PlayState hands each frame to LinkedPlayState.
bool LinkedDuelStarting();
void BeginLinkedDuel();
bool LinkedDuelRunning();
void LinkedPlayState();

// The duel's rules as both ends' sessions play them, for the sync test and the bench.
const DuelRules& LinkedDuelRules();

}  // namespace tamu
