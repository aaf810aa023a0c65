#include "tests/robustness/game_session.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "SDL.h"
#include "SDL_ttf.h"
#include "brixolan/constants.h"
#include "brixolan/game.h"
#include "shell/globals.h"
#include "shell/startup.h"
#include "shell/main_loop.h"
#include "tests/support/game_screen.h"
#include "tests/support/sdl_test.h"

namespace fs = std::filesystem;

namespace {

// Far more delays than any session needs: a game still running then is stuck.
const int RUNAWAY_DELAYS = 200000;
const uid_t ORDINARY_USER = 65534;  // "nobody"
const gid_t ORDINARY_GROUP = 65534;
const int CHILD_SETUP_FAILED = 100;

void HandOverToOrdinaryUser(const std::string& folder) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (lchown(entry.path().c_str(), ORDINARY_USER, ORDINARY_GROUP) != 0) {
            ADD_FAILURE() << "cannot hand " << entry.path() << " over";
        }
    }
    if (chown(folder.c_str(), ORDINARY_USER, ORDINARY_GROUP) != 0) {
        ADD_FAILURE() << "cannot hand the scratch folder over";
    }
}

}  // namespace

std::string Shown(const std::string& contents) {
    const size_t shownBytes = 40;
    return "\"" + contents.substr(0, shownBytes) + (contents.size() > shownBytes ? "...\"" : "\"");
}

void GameSessionTest::SetUp() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    hiScore = 0;
}

void GameSessionTest::TearDown() {
    ReleaseWhatStartUpLeft();
    ReleaseAllKeys();
    FakeClock::OnDelay(nullptr);
}

int GameSessionTest::RunGame(int playFrames, std::function<void()> eachDelay) {
    int delays = 0;
    FakeClock::OnDelay([&delays, playFrames, eachDelay](Uint32) {
        ++delays;
        // SDL empties its queue when it starts: the keys go in once the first pass is done.
        if (delays == 1) {
            if (playFrames == 0) {
                PushKeyDown(SDLK_DOWN);
                PushKeyDown(SDLK_DOWN);
            }
            PushKeyDown(SDLK_RETURN);
        } else if (delays == playFrames + 1 || delays >= RUNAWAY_DELAYS) {
            PushQuit();
        }
        if (delays == RUNAWAY_DELAYS) {
            ADD_FAILURE() << "the game does not end";
        }
        if (eachDelay) {
            eachDelay();
        }
    });
    char program[] = "brixolan";
    char* argv[] = {program, nullptr};
    int status = ZEM_RunGame(brixolan::GAME, 1, argv);
    FakeClock::OnDelay(nullptr);
    return status;
}

int GameSessionTest::RunGameAsOrdinaryUser(int playFrames, std::function<void()> prepare) {
    const bool superuser = geteuid() == 0;
    if (superuser) {
        HandOverToOrdinaryUser(dir.Path());
    }
    fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        if (superuser && (setgroups(0, nullptr) != 0 || setgid(ORDINARY_GROUP) != 0 ||
                          setuid(ORDINARY_USER) != 0)) {
            _exit(CHILD_SETUP_FAILED);
        }
        prepare();
        // The child's own verdict is its exit status; it never returns into the test runner.
        _exit(RunGame(playFrames));
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        ADD_FAILURE() << "cannot run the game in a child process";
        return -1;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == CHILD_SETUP_FAILED) {
        ADD_FAILURE() << "cannot become an ordinary user";
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void GameSessionTest::WriteScoringLevel() {
    // Column 8 (x 340 to 379) of the lowest row: the ball leaves the paddle at x 350.
    std::string map = "level_1\n";
    for (int row = 0; row < brixolan::ROWS; ++row) {
        for (int column = 0; column < brixolan::COLS; ++column) {
            map += (row == brixolan::ROWS - 1 && column == 8) ? "5" : "0";
            map += column + 1 < brixolan::COLS ? " " : "\n";
        }
    }
    dir.WriteFile("levelmaps", map);
}
