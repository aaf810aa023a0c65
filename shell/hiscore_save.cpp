#include "shell/hiscore_save.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "SDL.h"
#include "framework/clock.h"
#include "shell/hiscore.h"
#include "platform/replace_file.h"
#include "platform/report.h"

namespace {

// Another copy holds the lock for a few milliseconds at most; one that is stuck must not
// keep this game from ending.
const Uint32 LOCK_PATIENCE = 2000;
const Uint32 LOCK_RETRY_DELAY = 10;

std::string FolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// A lock on the folder itself, so that no lock file has to lie beside the score. Every copy
// of the game takes it before it reads and writes the file; it goes when the object goes,
// or when the process dies.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        for (Uint32 waited = 0; fd >= 0 && !held; waited += LOCK_RETRY_DELAY) {
            held = flock(fd, LOCK_EX | LOCK_NB) == 0;
            if (!held && (errno != EWOULDBLOCK || waited >= LOCK_PATIENCE)) {
                break;
            }
            if (!held) {
                ZEM_Delay(LOCK_RETRY_DELAY);
            }
        }
    }
    // Keeps errno, which tells why the write failed.
    ~FolderLock() {
        const int error = errno;
        if (fd >= 0) {
            close(fd);
        }
        errno = error;
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool Held() const { return held; }

private:
    int fd;
    bool held = false;
};

}  // namespace

bool SaveHiScore(const std::string& fileName, int value) {
    const std::string path = WhereFileLives(fileName);
    FolderLock lock(FolderOf(path));
    // Without the lock another copy may be writing: its temporary file is no left-over.
    if (lock.Held()) {
        RemoveLeftOverTemporaries(path);
    }
    return WriteHiScore(path, std::max(value, ReadHiScore(path)));
}

void SaveHiScoreOrSayWhy(const std::string& fileName, int value) {
    if (!SaveHiScore(fileName, value)) {
        const int error = errno;
        Report("cannot save the high score " + std::to_string(value) + " in " + fileName + ": " +
               std::strerror(error));
    }
}
