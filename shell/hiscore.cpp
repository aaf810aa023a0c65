#include "shell/hiscore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "framework/plain_file.h"
#include "platform/replace_file.h"

namespace {

// Whether this user may write the existing file; errno says why not. Not blocking: a named
// pipe in its place must not hold up the end of the game.
bool MayWrite(const std::string& fileName) {
    int fd = open(fileName.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    close(fd);
    return true;
}

// For a folder that takes no new file: rewrite the file where it stands. A blank after the
// digits ends the number for a reader while the old, longer tail is still there, so a kill
// between the write and the cut leaves the new score, never a mixed one.
bool RewriteInPlace(const std::string& fileName, const std::string& text) {
    int fd = open(fileName.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat old;
    bool written =
        fstat(fd, &old) == 0 && S_ISREG(old.st_mode) &&
        WriteAllTo(fd, old.st_size > static_cast<off_t>(text.size()) ? text + " " : text) &&
        ftruncate(fd, static_cast<off_t>(text.size())) == 0 && fsync(fd) == 0;
    if (!written) {
        CloseKeepingError(fd);
        return false;
    }
    return close(fd) == 0;
}

}  // namespace

std::string LevelSetName(const std::string& levelSet) {
    const std::string::size_type slash = levelSet.rfind('/');
    return slash == std::string::npos ? levelSet : levelSet.substr(slash + 1);
}

std::string HiScoreFileFor(const std::string& levelSet) {
    if (levelSet.empty()) {
        return HISCORE_FILE;
    }
    return std::string(HISCORE_FILE) + "-" + LevelSetName(levelSet);
}

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
    const std::string path = WhereFileLives(fileName);
    const std::string text = std::to_string(value);
    struct stat old;
    const bool oldFile = stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (oldFile && !MayWrite(path)) {
        return false;
    }
    if (ReplaceFile(path, text)) {
        return true;
    }
    return (errno == EACCES || errno == EROFS) && RewriteInPlace(path, text);
}
