#pragma once

// Sends the standard error stream nowhere for as long as it lives, then puts it back. On a
// machine without a sound device the sound library complains there, line after line,
// whenever SDL looks for a device; the games have nothing to say about it.
class ZemQuietStderr {
public:
    ZemQuietStderr();
    ~ZemQuietStderr();
    ZemQuietStderr(const ZemQuietStderr&) = delete;
    ZemQuietStderr& operator=(const ZemQuietStderr&) = delete;

private:
    int savedStderr;
};
