#include "shell/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

// Permission bits a newly created file would get from an ordinary open for writing.
mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself survive a crash; a folder that can't be synced is no failure,
// since the new file is already complete either way.
void SyncFolderOf(const std::string& fileName) {
    std::string::size_type slash = fileName.rfind('/');
    std::string folder = slash == std::string::npos ? "." : fileName.substr(0, slash + 1);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

bool WriteAllTo(int fd, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        ssize_t result = write(fd, text.data() + written, text.size() - written);
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result <= 0) {
            return false;
        }
        written += static_cast<size_t>(result);
    }
    return true;
}

bool ReplaceFile(const std::string& fileName, const std::string& text) {
    std::string pattern = fileName + ".XXXXXX";
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    int fd = mkstemp(tempName.data());
    if (fd < 0) {
        return false;
    }
    bool written = fchmod(fd, NewFileMode()) == 0 && WriteAllTo(fd, text) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || std::rename(tempName.data(), fileName.c_str()) != 0) {
        const int reason = errno;
        unlink(tempName.data());
        errno = reason;
        return false;
    }
    SyncFolderOf(fileName);
    return true;
}
