#pragma once

#include <string>

#include "shell/display.h"

// The window options of the command line: "--scale N" (N from 1 to 4, also written
// "--scale=N") and "--fullscreen". Each one given overrides that part of the choice; other
// arguments are left alone. False when a scale is missing or not a whole number from 1 to
// 4; `error` then says what is wrong.
bool ReadDisplayOptions(int argc, char* argv[], DisplayChoice& choice, std::string& error);

// The window this run opens: the choice remembered in the settings file, overridden by the
// command line; a switch the player makes with F11 is remembered there for the next run.
// False, with a message on stderr, when the command line is wrong.
bool ChooseDisplayFromCommandLine(int argc, char* argv[]);
