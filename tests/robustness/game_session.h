#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/fake_clock.h"
#include "tests/support/scratch_dir.h"

// Runs the whole brick game in a scratch folder on the fake clock, the way a player would:
// either "Quit" straight from the main menu, or "Play" for some frames and then close the
// window. Whatever a failed start-up leaves behind is released afterwards.
class GameSessionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program's exit status. With playFrames 0 the player quits from the menu. The
    // program calls eachDelay at every delay, after the player's keys for it are in.
    int RunGame(int playFrames = 0, std::function<void()> eachDelay = nullptr);

    // Runs the game in a child process as an ordinary user (permission bits don't stop the
    // superuser) and gives its exit status, or -1 when it did not end normally. Before the
    // game starts, the child runs prepare, as that user, in the scratch folder, which it owns.
    int RunGameAsOrdinaryUser(int playFrames, std::function<void()> prepare);

    // A level 1 with one strong brick straight above the serve: the ball scores at once.
    void WriteScoringLevel();

    ScratchDir dir;
    FakeClock clock;
};

// The first bytes of a file's contents, quoted, for messages about what a test found.
std::string Shown(const std::string& contents);
