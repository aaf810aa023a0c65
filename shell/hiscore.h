#pragma once

#include <cstddef>
#include <string>

// The high score file: one decimal integer, bare digits, no line end.

const char* const HISCORE_FILE = "hiscore";

// The name a player knows a level set by: the last part of its path ("my.levels" for
// "sets/my.levels"); empty for the shipped set (an empty path).
std::string LevelSetName(const std::string& levelSet);

// Where the high score of a level set is kept, in the working directory beside the shipped
// set's: HISCORE_FILE for the shipped set, "hiscore-NAME" for a set of the player's own, so
// its scores never mix with the shipped set's.
std::string HiScoreFileFor(const std::string& levelSet);

// How much of the file is read: far more than any number with blanks around it needs, and
// little enough that a huge file can't hold up the start.
const std::size_t HISCORE_READ_LIMIT = 4096;

// The number at the start of the file (after blanks), or 0 when the file is missing or
// doesn't start with a number that fits an int and ends within the first
// HISCORE_READ_LIMIT bytes.
int ReadHiScore(const std::string& fileName);

// Replaces the file where it lives (a link is kept and its target rewritten) so that a crash
// never leaves it empty or cut short: writes a temporary file beside it with the old file's
// permissions, syncs it, and renames it over the old one. A file this user may not write is
// left as it is; a folder that takes no new file still has its writable file rewritten where
// it stands. False when it could not be written, with errno saying why; the old file is then
// left as it was.
bool WriteHiScore(const std::string& fileName, int value);
