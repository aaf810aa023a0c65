#include "shell/hiscore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "framework/plain_file.h"

namespace {

// Permission bits a newly created file would get from an ordinary open for writing.
mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const std::string& text) {
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

// For a folder that takes no new file: rewrite the file where it stands. A blank after the
// digits ends the number for a reader while the old, longer tail is still there, so a kill
// between the write and the cut leaves the new score, never a mixed one.
bool RewriteInPlace(const std::string& fileName, const std::string& text) {
    // Not blocking: a named pipe in its place must not hold up the end of the game.
    int fd = open(fileName.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat old;
    bool written =
        fstat(fd, &old) == 0 && S_ISREG(old.st_mode) &&
        WriteAll(fd, old.st_size > static_cast<off_t>(text.size()) ? text + " " : text) &&
        ftruncate(fd, static_cast<off_t>(text.size())) == 0 && fsync(fd) == 0;
    return close(fd) == 0 && written;
}

}  // namespace

int ReadHiScore(const std::string& fileName) {
    if (!ZEM_IsPlainFile(fileName.c_str())) {
        return 0;
    }
    std::ifstream in(fileName, std::ios::binary);
    std::string start(HISCORE_READ_LIMIT + 1, '\0');
    in.read(&start[0], static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<size_t>(in.gcount()));
    const bool moreFollows = start.size() > HISCORE_READ_LIMIT;
    start.resize(std::min(start.size(), HISCORE_READ_LIMIT));

    std::istringstream number(start);
    int value = 0;
    // Extraction stores the nearest int on overflow: a failed read must still give 0.
    if (!(number >> value)) {
        return 0;
    }
    // Digits that run on past what was read make another number, or one too big.
    if (moreFollows && number.eof()) {
        return 0;
    }
    return value;
}

bool WriteHiScore(const std::string& fileName, int value) {
    std::string pattern = fileName + ".XXXXXX";
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    int fd = mkstemp(tempName.data());
    if (fd < 0) {
        return (errno == EACCES || errno == EROFS) &&
               RewriteInPlace(fileName, std::to_string(value));
    }
    bool written =
        fchmod(fd, NewFileMode()) == 0 && WriteAll(fd, std::to_string(value)) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || std::rename(tempName.data(), fileName.c_str()) != 0) {
        unlink(tempName.data());
        return false;
    }
    SyncFolderOf(fileName);
    return true;
}
