#include "shell/hiscore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "framework/plain_file.h"
#include "shell/replace_file.h"

namespace {

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
        WriteAllTo(fd, old.st_size > static_cast<off_t>(text.size()) ? text + " " : text) &&
        ftruncate(fd, static_cast<off_t>(text.size())) == 0 && fsync(fd) == 0;
    return close(fd) == 0 && written;
}

}  // namespace

int ReadHiScore(const std::string& fileName) {
    if (!ZEM_IsPlainFile(fileName.c_str())) {
        return 0;
    }
    std::ifstream in(fileName);
    int value = 0;
    if (in >> value) {
        return value;
    }
    // Extraction stores the nearest int on overflow: a failed read must still give 0.
    return 0;
}

bool WriteHiScore(const std::string& fileName, int value) {
    const std::string text = std::to_string(value);
    if (ReplaceFile(fileName, text)) {
        return true;
    }
    return (errno == EACCES || errno == EROFS) && RewriteInPlace(fileName, text);
}
