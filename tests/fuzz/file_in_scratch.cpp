#include "tests/fuzz/file_in_scratch.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string scratchFolder;

void RemoveScratchFolder() {
    std::error_code ignored;
    fs::remove_all(scratchFolder, ignored);
}

}  // namespace

void EnterScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "zem-fuzz-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr || chdir(name.data()) != 0) {
        std::perror("scratch folder");
        std::abort();
    }
    scratchFolder = name.data();
    std::atexit(RemoveScratchFolder);
}

void WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror(name.c_str());
        std::abort();
    }
}
