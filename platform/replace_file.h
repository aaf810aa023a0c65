#pragma once

#include <string>

// Safe rewriting of the small files the games keep beside them ("hiscore", "settings").

// Where the file really lives: its name with links followed to the file they lead to
// (which may not exist yet).
std::string WhereFileLives(const std::string& fileName);

// Replaces the file at this path (give it where it lives) with the text so that a crash
// never leaves it empty or cut short: writes a temporary file beside it with the old file's
// owner and permissions (a new file's for a file not there yet), syncs it, and renames it over
// the old one. False when that could not be done: the old file is then as it was, and errno
// tells why (EACCES or EROFS: the folder takes no new file).
bool ReplaceFile(const std::string& path, const std::string& text);

// Removes the temporary files that replacements killed midway left beside the file where it
// lives. Only safe while no other copy of the game is writing it.
void RemoveLeftOverTemporaries(const std::string& fileName);

// Writes the whole text to an open file, however many writes it takes.
bool WriteAllTo(int fd, const std::string& text);

// Closes a file without letting the close change errno, which tells why a step failed.
void CloseKeepingError(int fd);
