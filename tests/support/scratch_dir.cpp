#include "tests/support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

std::string GameFile(const std::string& name) {
    return std::string(ZEM_GAME_DIR) + "/" + name;
}

ScratchDir::ScratchDir() {
    previousDir = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "zem-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    char* made = mkdtemp(buffer.data());
    EXPECT_NE(made, nullptr) << "cannot make a scratch folder";
    if (made == nullptr) {
        // Nothing to work in or to remove: the folder we came from is never taken for it.
        return;
    }
    path = made;
    fs::current_path(path);
}

ScratchDir::~ScratchDir() {
    if (path.empty()) {
        return;
    }
    fs::current_path(previousDir);
    std::error_code ignored;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path, ignored);
}

void ScratchDir::CopyGameFile(const std::string& name) {
    fs::copy_file(GameFile(name), fs::path(path) / name, fs::copy_options::overwrite_existing);
}

void ScratchDir::CopyStartupFiles() {
    for (const char* name : STARTUP_FILES) {
        CopyGameFile(name);
    }
}

void ScratchDir::WriteFile(const std::string& name, const std::string& contents) {
    std::ofstream out(fs::path(path) / name, std::ios::binary | std::ios::trunc);
    out << contents;
}

std::string ScratchDir::ReadFile(const std::string& name) const {
    std::ifstream in(fs::path(path) / name, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

bool ScratchDir::Exists(const std::string& name) const {
    return fs::exists(fs::path(path) / name);
}
