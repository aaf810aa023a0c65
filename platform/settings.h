#pragma once

#include <string>
#include <utility>
#include <vector>

// The player's remembered choices: the file "settings" beside "hiscore", one "key = value"
// line each, such as "mute = 1". A missing or unreadable file, or a line that is not of
// that shape, counts as no choice made: the defaults hold, and the game always starts.
//
// Keys this program doesn't know are kept and written back as they were, so a file shared
// with another version of the game loses nothing. Blank lines and lines starting with '#'
// are skipped, and not written back.

const char* const SETTINGS_FILE = "settings";

class Settings {
public:
    // What the file holds; nothing when it is missing or is not an ordinary file.
    static Settings Read(const std::string& fileName);
    // Replaces the file safely (as the high score is). False when it could not be written.
    bool Write(const std::string& fileName) const;

    // The value given to the key, or the fallback when there is none.
    std::string Get(const std::string& key, const std::string& fallback) const;
    // A yes-or-no choice: "1" or "0"; anything else gives the fallback.
    bool GetFlag(const std::string& key, bool fallback) const;

    // Sets the key; a new key goes after the others.
    void Set(const std::string& key, const std::string& value);
    void SetFlag(const std::string& key, bool value);

private:
    std::vector<std::pair<std::string, std::string>> entries;  // in file order
};
