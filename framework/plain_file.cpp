#include "framework/plain_file.h"

#include <sys/stat.h>

bool ZEM_IsPlainFile(const char* fileName) {
    struct stat status;
    return stat(fileName, &status) == 0 && S_ISREG(status.st_mode);
}
