// Feeds arbitrary bytes to the high-score reader as the file "hiscore" and checks the number
// it gives against the file's rule, worked out here digit by digit: blanks skipped, an
// optional sign, decimal digits up to the first other character; 0 when there is no number,
// it does not fit an int, or it does not end within the first HISCORE_READ_LIMIT bytes.

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "shell/hiscore.h"
#include "tests/fuzz/file_in_scratch.h"

namespace {

bool IsBlank(std::uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(std::uint8_t c) {
    return c >= '0' && c <= '9';
}

int ExpectedScore(const std::uint8_t* data, std::size_t fileSize) {
    const std::size_t size = std::min(fileSize, HISCORE_READ_LIMIT);
    std::size_t at = 0;
    while (at < size && IsBlank(data[at])) {
        ++at;
    }
    bool negative = false;
    if (at < size && (data[at] == '-' || data[at] == '+')) {
        negative = data[at] == '-';
        ++at;
    }
    if (at == size || !IsDigit(data[at])) {
        return 0;
    }
    // Kept as a magnitude one past INT_MAX at most, so that INT_MIN still fits.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; at < size && IsDigit(data[at]); ++at) {
        magnitude = magnitude * 10 + (data[at] - '0');
        if (magnitude > limit) {
            return 0;
        }
    }
    if (at == size && fileSize > size) {
        return 0;  // the digits may run on past what is read
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteInput(HISCORE_FILE, data, size);
    const int got = ReadHiScore(HISCORE_FILE);
    const int expected = ExpectedScore(data, size);
    if (got != expected) {
        std::fprintf(stderr, "high score read as %d, the file says %d\n", got, expected);
        std::abort();
    }
    return 0;
}
