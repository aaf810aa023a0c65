#pragma once

#include <string>

// What the program tells the player on standard error: one line each, led by the program's
// name, as in "brixolan: cannot load impact.ttf: No such file or directory".

// Takes the program's name from its first argument (the last part of the path it was
// started by); without one, the game's caption stands in.
void SetProgramName(int argc, char* argv[]);

const std::string& ProgramName();

// Writes "<program>: <line>" and a line end.
void Report(const std::string& line);
