#include "shell/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "framework/plain_file.h"
#include "shell/display.h"

namespace {

const char* const SCALE_KEY = "scale";
const char* const FULLSCREEN_KEY = "fullscreen";

// Permission bits a newly created file would get from an ordinary open for writing.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string Trimmed(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Splits "key = value"; false for a line without "=".
bool SplitLine(const std::string& line, std::string& key, std::string& value) {
    const std::string::size_type equals = line.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    key = Trimmed(line.substr(0, equals));
    value = Trimmed(line.substr(equals + 1));
    return true;
}

void ReadValue(const std::string& key, const std::string& value, Settings& settings) {
    if (key == SCALE_KEY && value.size() == 1 && value[0] >= '0' + MIN_SCALE &&
        value[0] <= '0' + MAX_SCALE) {
        settings.scale = value[0] - '0';
    } else if (key == FULLSCREEN_KEY && (value == "yes" || value == "no")) {
        settings.fullscreen = value == "yes";
    }
}

bool IsOurs(const std::string& key) {
    return key == SCALE_KEY || key == FULLSCREEN_KEY;
}

std::vector<std::string> ReadLines(const std::string& fileName) {
    std::vector<std::string> lines;
    if (!ZEM_IsPlainFile(fileName.c_str())) {
        return lines;
    }
    std::ifstream in(fileName);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

bool WriteWhole(const std::string& fileName, const std::string& text) {
    std::string pattern = fileName + ".XXXXXX";
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    const int fd = mkstemp(tempName.data());
    if (fd < 0) {
        return false;
    }
    const bool written = fchmod(fd, NewFileMode()) == 0 &&
                         write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
                         fsync(fd) == 0;
    if (close(fd) != 0 || !written || std::rename(tempName.data(), fileName.c_str()) != 0) {
        unlink(tempName.data());
        return false;
    }
    return true;
}

}  // namespace

Settings ReadSettings(const std::string& fileName) {
    Settings settings;
    std::string key;
    std::string value;
    for (const std::string& line : ReadLines(fileName)) {
        if (SplitLine(line, key, value)) {
            ReadValue(key, value, settings);
        }
    }
    return settings;
}

bool WriteSettings(const std::string& fileName, const Settings& settings) {
    std::ostringstream text;
    std::string key;
    std::string value;
    for (const std::string& line : ReadLines(fileName)) {
        if (!SplitLine(line, key, value) || !IsOurs(key)) {
            text << line << '\n';
        }
    }
    text << SCALE_KEY << " = " << settings.scale << '\n';
    text << FULLSCREEN_KEY << " = " << (settings.fullscreen ? "yes" : "no") << '\n';
    return WriteWhole(fileName, text.str());
}
