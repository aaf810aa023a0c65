#include "platform/replace_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

// Temporary files are named after the file with this and six random letters or digits
// appended, so that a left-over one is told from a player's own files by its name.
const char* const TEMPORARY_MARK = ".saving-";
const char* const TEMPORARY_RANDOM = "XXXXXX";

// More links in a row than this is a loop, as the system counts them.
const int MAX_LINKS_FOLLOWED = 40;

const mode_t PERMISSION_BITS = 07777;

// Permission bits a newly created file would get from an ordinary open for writing.
mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The folder part of a path, with its slash: empty for a bare name.
std::string FolderPart(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string FolderOrHere(const std::string& path) {
    const std::string folder = FolderPart(path);
    return folder.empty() ? "." : folder;
}

// Makes the rename itself survive a crash; a folder that can't be synced is no failure,
// since the new file is already complete either way.
void SyncFolderOf(const std::string& fileName) {
    int fd = open(FolderOrHere(fileName).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// The new file takes the old one's owner (where the system lets it) and permissions, so
// that replacing it changes nothing but what it holds.
bool TakeOverAccess(int fd, const struct stat* old) {
    if (old == nullptr) {
        return fchmod(fd, NewFileMode()) == 0;
    }
    // Ownership first, as a change of owner clears some permission bits. Only the superuser
    // may give a file away: anyone else's new file stays their own, as any file they write.
    [[maybe_unused]] const bool ownerKept = fchown(fd, old->st_uid, old->st_gid) == 0;
    return fchmod(fd, old->st_mode & PERMISSION_BITS) == 0;
}

bool IsTemporaryOf(const std::string& name, const std::string& base) {
    const std::string stem = base + TEMPORARY_MARK;
    const size_t randomLength = std::char_traits<char>::length(TEMPORARY_RANDOM);
    return name.size() == stem.size() + randomLength && name.compare(0, stem.size(), stem) == 0 &&
           std::all_of(name.begin() + stem.size(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

std::string WhereFileLives(const std::string& fileName) {
    std::string path = fileName;
    for (int followed = 0; followed < MAX_LINKS_FOLLOWED; ++followed) {
        struct stat status;
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return path;
        }
        std::vector<char> target(static_cast<size_t>(std::max<off_t>(status.st_size, 0)) + 1);
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<size_t>(length) >= target.size()) {
            return path;
        }
        const std::string leadsTo(target.data(), static_cast<size_t>(length));
        path = leadsTo[0] == '/' ? leadsTo : FolderPart(path) + leadsTo;
    }
    // A loop: writing to it fails with the system's own reason.
    return path;
}

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

void CloseKeepingError(int fd) {
    const int error = errno;
    close(fd);
    errno = error;
}

bool ReplaceFile(const std::string& path, const std::string& text) {
    struct stat old;
    const bool oldFile = stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    std::string pattern = path + TEMPORARY_MARK + TEMPORARY_RANDOM;
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    int fd = mkstemp(tempName.data());
    if (fd < 0) {
        return false;
    }
    bool written =
        TakeOverAccess(fd, oldFile ? &old : nullptr) && WriteAllTo(fd, text) && fsync(fd) == 0;
    if (written) {
        written = close(fd) == 0;
    } else {
        CloseKeepingError(fd);
    }
    if (!written || std::rename(tempName.data(), path.c_str()) != 0) {
        const int error = errno;
        unlink(tempName.data());
        errno = error;
        return false;
    }
    SyncFolderOf(path);
    return true;
}

void RemoveLeftOverTemporaries(const std::string& fileName) {
    const std::string path = WhereFileLives(fileName);
    const std::string folder = FolderOrHere(path);
    const std::string base = path.substr(FolderPart(path).size());
    DIR* contents = opendir(folder.c_str());
    if (contents == nullptr) {
        return;
    }
    std::vector<std::string> leftOvers;
    while (const dirent* entry = readdir(contents)) {
        if (IsTemporaryOf(entry->d_name, base)) {
            leftOvers.push_back(folder + "/" + entry->d_name);
        }
    }
    closedir(contents);
    // Only ordinary files of this user's: what the game itself would have made.
    for (const std::string& leftOver : leftOvers) {
        struct stat status;
        if (lstat(leftOver.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            status.st_uid == geteuid()) {
            unlink(leftOver.c_str());
        }
    }
}
