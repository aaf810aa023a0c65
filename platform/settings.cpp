#include "platform/settings.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "framework/plain_file.h"
#include "platform/replace_file.h"

namespace {

// More than any settings file needs: the rest of a larger file is not read.
const std::streamsize MOST_BYTES_READ = 64 * 1024;
const char* const BLANKS = " \t\r";
const char* const FLAG_ON = "1";
const char* const FLAG_OFF = "0";

std::string Trimmed(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(BLANKS);
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(BLANKS) - first + 1);
}

}  // namespace

Settings Settings::Read(const std::string& fileName) {
    Settings settings;
    if (!ZEM_IsPlainFile(fileName.c_str())) {
        return settings;
    }
    std::ifstream file(fileName, std::ios::binary);
    std::string text(static_cast<std::size_t>(MOST_BYTES_READ), '\0');
    file.read(text.data(), MOST_BYTES_READ);
    text.resize(static_cast<std::size_t>(file.gcount()));
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string::size_type equals = line.find('=');
        std::string key = Trimmed(line.substr(0, equals));
        if (equals == std::string::npos || key.empty() || key[0] == '#') {
            key.clear();
        }
        std::string value = key.empty() ? "" : Trimmed(line.substr(equals + 1));
        settings.lines.push_back(Line{key, value, line});
    }
    return settings;
}

bool Settings::Write(const std::string& fileName) const {
    std::string text;
    for (const Line& line : lines) {
        text += line.text + "\n";
    }
    return ReplaceFile(WhereFileLives(fileName), text);
}

// The last line of a key counts, as it did when the file was read.
std::string Settings::Get(const std::string& key, const std::string& fallback) const {
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->key == key) {
            return line->value;
        }
    }
    return fallback;
}

bool Settings::GetFlag(const std::string& key, bool fallback) const {
    const std::string value = Get(key, "");
    if (value == FLAG_ON) {
        return true;
    }
    if (value == FLAG_OFF) {
        return false;
    }
    return fallback;
}

void Settings::Set(const std::string& key, const std::string& value) {
    const std::string text = key + " = " + value;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->key == key) {
            *line = Line{key, value, text};
            return;
        }
    }
    lines.push_back(Line{key, value, text});
}

void Settings::SetFlag(const std::string& key, bool value) {
    Set(key, value ? FLAG_ON : FLAG_OFF);
}

std::string PlayersSettingsFile() {
    const char* folder = std::getenv(SETTINGS_FOLDER_VARIABLE);
    if (folder == nullptr || folder[0] == '\0') {
        return SETTINGS_FILE;
    }
    return std::string(folder) + "/" + SETTINGS_FILE;
}

Settings ReadPlayersSettings() {
    const std::string file = PlayersSettingsFile();
    return Settings::Read(ZEM_IsPlainFile(file.c_str()) ? file : SETTINGS_FILE);
}

bool WritePlayersSettings(const Settings& settings) {
    const std::string file = PlayersSettingsFile();
    const bool moving = file != SETTINGS_FILE && !ZEM_IsPlainFile(file.c_str());
    if (!settings.Write(file)) {
        return false;
    }
    if (moving) {
        std::remove(SETTINGS_FILE);
    }
    return true;
}
