#pragma once

#include <string>

// The high score file: one decimal integer, bare digits, no line end.

const char* const HISCORE_FILE = "hiscore";

// The number at the start of the file (after blanks), or 0 when the file is missing or
// doesn't start with a number that fits an int.
int ReadHiScore(const std::string& fileName);

// Replaces the file with the value so that a crash never leaves it empty or cut short:
// writes a temporary file beside it, syncs it, and renames it over the old one. A folder
// that takes no new file still has its writable "hiscore" rewritten where it stands.
// False when it could not be written; the old file is then left as it was.
bool WriteHiScore(const std::string& fileName, int value);
