#include "framework/quiet_stderr.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

ZemQuietStderr::ZemQuietStderr() : savedStderr(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0)) {
    std::fflush(stderr);
    const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nowhere >= 0) {
        dup2(nowhere, STDERR_FILENO);
        close(nowhere);
    }
}

ZemQuietStderr::~ZemQuietStderr() {
    std::fflush(stderr);
    if (savedStderr >= 0) {
        dup2(savedStderr, STDERR_FILENO);
        close(savedStderr);
    }
}
