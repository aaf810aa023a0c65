#pragma once

// The player's switch for the sound: M on any screen turns it off and on, and the choice is
// remembered in the settings file for the next start. `--mute` starts one run silent
// without changing what is remembered.

// Takes the remembered choice and the command line, then opens the sound device. Without a
// device the game plays on silently.
void StartSound(bool muteThisRun);
void StopSound();

// Turns the sound off when it is on and on when it is off, and remembers the new choice.
void FlipSound();
