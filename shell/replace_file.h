#pragma once

#include <string>

// Safe rewriting of the small files the games keep beside them ("hiscore", "settings").

// Replaces the file with the text so that a crash never leaves it empty or cut short: writes
// a temporary file beside it with the permissions a new file gets, syncs it, and renames it
// over the old one. False when that could not be done: the old file is then as it was, and
// errno tells why (EACCES or EROFS: the folder takes no new file).
bool ReplaceFile(const std::string& fileName, const std::string& text);

// Writes the whole text to an open file, however many writes it takes.
bool WriteAllTo(int fd, const std::string& text);
