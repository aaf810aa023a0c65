// The way to present chosen at start-up: on the compatibility layer the cheap path is asked
// for only where the player left the choice open; classic SDL is left alone.
#include <stdlib.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/present.h"

namespace {

const char* const FRAMEBUFFER = "SDL_FRAMEBUFFER_ACCELERATION";
const char* const RENDERER = "SDL_RENDER_DRIVER";

struct PathCase {
    const char* name;
    const char* framebufferBefore;  // null: the player set nothing
    const char* rendererBefore;
    const char* framebufferAfter;  // on the compatibility layer
    const char* rendererAfter;
};

const PathCase CASES[] = {
    {"nothing chosen", nullptr, nullptr, "0", "software"},
    {"player chose the GL renderer", nullptr, "opengl", "0", "opengl"},
    {"player kept the accelerated framebuffer", "1", nullptr, "1", "software"},
    {"player chose the same path", "0", "software", "0", "software"},
};

void SetOrClear(const char* name, const char* value) {
    if (value == nullptr) {
        unsetenv(name);
    } else {
        setenv(name, value, 1);
    }
}

std::string Read(const char* name) {
    const char* value = getenv(name);
    return value == nullptr ? "(unset)" : value;
}

TEST(PresentPath, AsksForTheCheapPathOnlyOnTheCompatibilityLayerAndLeavesThePlayersChoice) {
    for (const PathCase& c : CASES) {
        SCOPED_TRACE(c.name);
        SetOrClear(FRAMEBUFFER, c.framebufferBefore);
        SetOrClear(RENDERER, c.rendererBefore);
        ZEM_ChoosePresentPath();
        if (ZEM_OnCompatibilityLayer()) {
            EXPECT_EQ(Read(FRAMEBUFFER), c.framebufferAfter);
            EXPECT_EQ(Read(RENDERER), c.rendererAfter);
        } else {
            // Classic SDL reads neither: nothing is set for it.
            EXPECT_EQ(Read(FRAMEBUFFER),
                      c.framebufferBefore == nullptr ? "(unset)" : c.framebufferBefore);
            EXPECT_EQ(Read(RENDERER), c.rendererBefore == nullptr ? "(unset)" : c.rendererBefore);
        }
    }
    unsetenv(FRAMEBUFFER);
    unsetenv(RENDERER);
}

}  // namespace
