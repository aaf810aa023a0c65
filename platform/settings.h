#pragma once

#include <string>
#include <vector>

// The player's remembered choices: the file "settings" beside "hiscore", one "key = value"
// line each, such as "mute = 1". A missing or unreadable file, or a line that is not of
// that shape, counts as no choice made: the defaults hold, and the game always starts.
//
// Every line the game does not own is written back as it was, in its place: keys this program
// doesn't know (so a file shared with another version of the game loses nothing), comments,
// blank lines. Only the lines of the keys the game sets are rewritten.

const char* const SETTINGS_FILE = "settings";
// Set by the installed launcher to the player's configuration folder, which then holds
// "settings"; a game started in place keeps it beside "hiscore".
const char* const SETTINGS_FOLDER_VARIABLE = "ZEM_SETTINGS_FOLDER";

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
    struct Line {
        std::string key;  // empty for a line the game reads nothing from
        std::string value;
        std::string text;  // as it is written back
    };
    std::vector<Line> lines;  // in file order
};

// Where the player's "settings" is: SETTINGS_FILE in the folder SETTINGS_FOLDER_VARIABLE names,
// or in the working directory.
std::string PlayersSettingsFile();
// The player's settings. While the configuration folder has none yet, the file an earlier
// version kept beside "hiscore" is read.
Settings ReadPlayersSettings();
// Writes the player's settings; the file beside "hiscore" they were read from goes, as they
// now live in the configuration folder. False when they could not be written.
bool WritePlayersSettings(const Settings& settings);
