// Pictures of the screens around the games for the README: the main menu and the help
// screen, each saved once the window shows it in full. scripts/make-screenshots runs this
// with ZEM_PICTURE_DIR set and turns the saved PPM pictures into PNGs; it is no part of the
// test suite.

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/e2e/harness.h"
#include "tests/packaging/main_menu.h"
#include "tests/support/scratch_dir.h"

namespace {

const Rgb HELP_GREEN{100, 250, 100};
const Rgb HELP_PURPLE{180, 20, 240};
const int WORD_PIXELS = 150;
const int SMALL_TEXT_PIXELS = 40;
// tamu's help names the keys of both players.
const size_t TAMU_HELP_LINES = 3;

bool ShowsTamuHelp(const Screenshot& shot) {
    return shot.Count(HELP_GREEN) > WORD_PIXELS && shot.Count(HELP_PURPLE) > SMALL_TEXT_PIXELS &&
           shot.RowBands(HELP_GREEN).size() == TAMU_HELP_LINES;
}

std::string PicturePath(const std::string& name) {
    const char* folder = std::getenv("ZEM_PICTURE_DIR");
    EXPECT_NE(folder, nullptr) << "set ZEM_PICTURE_DIR to the folder for the pictures";
    return std::string(folder != nullptr ? folder : ".") + "/" + name + ".ppm";
}

class DocsPicture : public ::testing::Test {
protected:
    void SetUp() override { dir.CopyStartupFiles(); }

    ScratchDir dir;
};

TEST_F(DocsPicture, MainMenu) {
    GameProcess game(GameFile("brixolan"), dir.Path());
    ASSERT_TRUE(game.WaitForWindow());
    Screenshot menu = game.WaitUntil("the main menu", ShowsMainMenu);
    ASSERT_TRUE(ShowsMainMenu(menu));
    menu.SavePpm(PicturePath("main-menu"));
    game.Press("Down Down Return");
    EXPECT_EQ(game.WaitForExit(), 0);
}

TEST_F(DocsPicture, Help) {
    GameProcess game(GameFile("tamu"), dir.Path());
    ASSERT_TRUE(game.WaitForWindow());
    game.WaitUntil("the main menu", ShowsMainMenu);
    game.Press("Down Return");
    Screenshot help = game.WaitUntil("the help screen", ShowsTamuHelp);
    ASSERT_TRUE(ShowsTamuHelp(help));
    help.SavePpm(PicturePath("help"));
    game.Press("Return");
    game.WaitUntil("the main menu again", ShowsMainMenu);
    game.Press("Down Down Return");
    EXPECT_EQ(game.WaitForExit(), 0);
}

}  // namespace
