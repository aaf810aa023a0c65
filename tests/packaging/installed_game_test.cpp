// The installed games, started the way a player starts them: by name from the PATH, through
// the launcher, in a folder that has nothing to do with the games. scripts/test-package runs
// these after installing the package; they are no part of the ordinary suite, which runs
// the built programs.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/harness.h"
#include "tests/packaging/main_menu.h"
#include "tests/support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

// Where a name typed at a shell prompt leads: the first executable of that name on the PATH.
std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        fs::path candidate = fs::path(folder.empty() ? "." : folder) / name;
        if (fs::is_regular_file(candidate) &&
            (fs::status(candidate).permissions() & fs::perms::owner_exec) != fs::perms::none) {
            return candidate.string();
        }
    }
    return "";
}

std::string ReadWholeFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

void WriteWholeFile(const fs::path& file, const std::string& contents) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << contents;
}

struct Installed {
    const char* name;
    const char* caption;
    // Whether the player's data folder is chosen by XDG_DATA_HOME rather than HOME.
    bool xdgDataHome;
    // The high score in the player's folder before the run; empty for a first run.
    const char* hiscoreBefore;
    const char* hiscoreAfter;
    bool readsLevels;
};

std::ostream& operator<<(std::ostream& out, const Installed& game) {
    return out << game.name;
}

// brixolan on a first run for a player with no data folder yet; tamu for a player who has
// played before and keeps data in a folder whose path holds blanks.
const Installed GAMES[] = {{"brixolan", "Zem Brixolan", false, "", "0", true},
                           {"tamu", "Zem Tamu", true, "  77\n", "77", false}};

class InstalledGame : public ::testing::TestWithParam<Installed> {
protected:
    void SetUp() override {
        home = fs::path(scratch.Path()) / "home";
        elsewhere = fs::path(scratch.Path()) / "some unrelated folder";
        fs::create_directories(home);
        fs::create_directories(elsewhere);
        setenv("HOME", home.c_str(), 1);
        fs::path dataHome = home / ".local" / "share";
        if (GetParam().xdgDataHome) {
            dataHome = fs::path(scratch.Path()) / "player data";
            setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        playerDir = dataHome / GetParam().name;
        if (*GetParam().hiscoreBefore != '\0') {
            fs::create_directories(playerDir);
            WriteWholeFile(playerDir / "hiscore", GetParam().hiscoreBefore);
        }
    }

    ScratchDir scratch;
    fs::path home;
    fs::path elsewhere;
    fs::path playerDir;
};

TEST_P(InstalledGame, StartsByNameFromAnyFolderAndKeepsThePlayersHighScore) {
    std::string launcher = FindOnPath(GetParam().name);
    ASSERT_FALSE(launcher.empty()) << GetParam().name << " is not on the PATH: not installed?";

    GameProcess game(launcher, elsewhere.string());
    ASSERT_TRUE(game.WaitForWindow());
    game.WaitUntil("the main menu with Play selected", ShowsMainMenu);
    // brixolan's pacer soon puts the frame rate in the caption, also on the menu.
    std::string caption = game.Caption();
    EXPECT_TRUE(caption == GetParam().caption ||
                std::regex_match(caption, std::regex("Now running at [0-9]+ frames per second\\.")))
        << caption;
    // Menus ignore the window's close button: the player leaves by "Quit".
    game.Press("Down Down Return");
    EXPECT_EQ(game.WaitForExit(), 0);

    EXPECT_EQ(ReadWholeFile(playerDir / "hiscore"), GetParam().hiscoreAfter);
    EXPECT_FALSE(fs::is_symlink(playerDir / "hiscore"));
    EXPECT_TRUE(fs::is_empty(elsewhere)) << "the game wrote into the folder it was started from";
    for (const char* data : STARTUP_FILES) {
        EXPECT_TRUE(fs::is_symlink(playerDir / data)) << data;
        EXPECT_TRUE(fs::is_regular_file(playerDir / data)) << data << " leads nowhere";
    }
    EXPECT_EQ(fs::is_regular_file(playerDir / "levelmaps"), GetParam().readsLevels);
}

INSTANTIATE_TEST_SUITE_P(Package, InstalledGame, ::testing::ValuesIn(GAMES),
                         [](const ::testing::TestParamInfo<Installed>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
