// The screens and start-up both programs share, seen from outside: the window, the main menu
// over the background, help, quitting, the high-score file, missing data files, the window's
// close button, quit signals and running without a display.

#include <signal.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "SDL_image.h"
#include "tests/e2e/harness.h"
#include "tests/support/scratch_dir.h"

namespace {

const Rgb TITLE_BLUE{0, 0, 255};
const Rgb SELECTED_RED{255, 0, 0};
const Rgb OPTION_GREY{115, 115, 115};
const Rgb HELP_GREEN{100, 250, 100};
const Rgb HELP_PURPLE{180, 20, 240};

// More pixels of one colour than a stray speck: a word of large text.
const int WORD_PIXELS = 150;
// Small text: "Press Enter to Continue" at 14 points.
const int SMALL_TEXT_PIXELS = 40;
const int MAIN_MENU_OPTIONS = 3;
const int WINDOW_CENTRE_X = 320;
// Lines are centred on whole pixels of rendered text; the ink of a word may sit a few
// pixels off its line's centre.
const int CENTRING_SLACK = 6;
// Enough plain inside of the box to be a box around a text block.
const int BOX_INSIDE_PIXELS = 5000;
// Places near the window's corners and the middles of its top and bottom edges, clear of
// any menu or help box, and beside the narrow main menu box.
const std::vector<std::pair<int, int>> EDGE_SPOTS = {{2, 2},     {637, 2}, {2, 477},
                                                     {637, 477}, {320, 8}, {320, 472}};
const std::vector<std::pair<int, int>> BESIDE_MENU_SPOTS = {{30, 240}, {610, 240}};

struct Program {
    const char* name;
    const char* caption;
    size_t helpHeaderLines;
    // Whether the caption later gives way to a frame-rate line.
    bool captionShowsFrameRate;
};

const Program PROGRAMS[] = {{"brixolan", "Zem Brixolan", 2, true}, {"tamu", "Zem Tamu", 3, false}};

std::ostream& operator<<(std::ostream& out, const Program& program) {
    return out << program.name;
}

// A data file's picture decoded by the same library the games use, so its pixels are the
// colours the game puts on screen.
class Picture {
public:
    explicit Picture(const std::string& file) : surface(IMG_Load(GameFile(file).c_str())) {
        EXPECT_NE(surface, nullptr) << "cannot read " << file;
    }
    ~Picture() { SDL_FreeSurface(surface); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    Rgb At(int x, int y) const { return surface != nullptr ? ColourAt(surface, x, y) : BLACK; }

private:
    SDL_Surface* surface;
};

// The plain inside of the menu box: the middle of the box texture's centre tile.
Rgb BoxInside() {
    return Picture("menubox.bmp").At(45, 45);
}

bool ShowsBackgroundAt(const Screenshot& shot, const std::vector<std::pair<int, int>>& spots) {
    Picture background("background640.jpg");
    for (const auto& spot : spots) {
        if (shot.At(spot.first, spot.second) != background.At(spot.first, spot.second)) {
            return false;
        }
    }
    return true;
}

// Which main menu option is red: the number of grey option lines above it.
int SelectedOption(const Screenshot& shot) {
    Area red = shot.Bounds(SELECTED_RED);
    int above = 0;
    for (const auto& band : shot.RowBands(OPTION_GREY)) {
        above += band.second < red.y ? 1 : 0;
    }
    return above;
}

bool ShowsMainMenu(const Screenshot& shot, int selected) {
    return shot.Count(TITLE_BLUE) > WORD_PIXELS && shot.Count(SELECTED_RED) > WORD_PIXELS &&
           shot.RowBands(OPTION_GREY).size() == MAIN_MENU_OPTIONS - 1 &&
           SelectedOption(shot) == selected;
}

std::function<bool(const Screenshot&)> MainMenuWith(int selected) {
    return [selected](const Screenshot& shot) { return ShowsMainMenu(shot, selected); };
}

bool ShowsHelp(const Screenshot& shot) {
    return shot.Count(HELP_GREEN) > WORD_PIXELS && shot.Count(HELP_PURPLE) > SMALL_TEXT_PIXELS;
}

int CentreOf(Area area) {
    return area.x + area.w / 2;
}

bool Encloses(Area outer, Area inner) {
    return outer.x <= inner.x && outer.y <= inner.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

class ShellEndToEnd : public ::testing::TestWithParam<Program> {
protected:
    GameProcess& Start() {
        game = std::make_unique<GameProcess>(GameFile(GetParam().name), dir.Path());
        return *game;
    }

    // Starts with every data file and waits for the main menu with "Play" selected.
    Screenshot StartOnMainMenu() {
        dir.CopyStartupFiles();
        Start();
        EXPECT_TRUE(game->WaitForWindow());
        return game->WaitUntil("the main menu with Play selected", MainMenuWith(0));
    }

    ScratchDir dir;
    std::unique_ptr<GameProcess> game;
};

TEST_P(ShellEndToEnd, OpensItsWindowOnTheMainMenuOverTheBackground) {
    Screenshot menu = StartOnMainMenu();
    ASSERT_FALSE(menu.Empty());
    EXPECT_EQ(game->WindowWidth(), 640);
    EXPECT_EQ(game->WindowHeight(), 480);
    std::string caption = game->Caption();
    if (GetParam().captionShowsFrameRate) {
        EXPECT_TRUE(
            caption == GetParam().caption ||
            std::regex_match(caption, std::regex("Now running at [0-9]+ frames per second\\.")))
            << caption;
    } else {
        EXPECT_EQ(caption, GetParam().caption);
    }

    // Title, then "Play", then the two grey options, each centred on the window.
    Area title = menu.Bounds(TITLE_BLUE);
    Area play = menu.Bounds(SELECTED_RED);
    auto greyLines = menu.RowBands(OPTION_GREY);
    ASSERT_EQ(greyLines.size(), 2u);
    EXPECT_LT(title.y + title.h, play.y);
    EXPECT_LT(play.y + play.h, greyLines[0].first);
    EXPECT_NEAR(CentreOf(title), WINDOW_CENTRE_X, CENTRING_SLACK);
    EXPECT_NEAR(CentreOf(play), WINDOW_CENTRE_X, CENTRING_SLACK);
    EXPECT_NEAR(CentreOf(menu.Bounds(OPTION_GREY)), WINDOW_CENTRE_X, CENTRING_SLACK);

    // The lines sit on the box, and the background picture shows around it.
    Rgb inside = BoxInside();
    EXPECT_GT(menu.Count(inside), BOX_INSIDE_PIXELS);
    Area box = menu.Bounds(inside);
    EXPECT_TRUE(Encloses(box, title));
    EXPECT_TRUE(Encloses(box, menu.Bounds(OPTION_GREY)));
    EXPECT_NEAR(CentreOf(box), WINDOW_CENTRE_X, CENTRING_SLACK);
    EXPECT_TRUE(ShowsBackgroundAt(menu, EDGE_SPOTS));
    EXPECT_TRUE(ShowsBackgroundAt(menu, BESIDE_MENU_SPOTS));
}

TEST_P(ShellEndToEnd, HelpShowsItsBoxAndEnterLeadsBackToTheSameMainMenu) {
    Screenshot menu = StartOnMainMenu();
    game->Press("Down");
    game->WaitUntil("Help selected", MainMenuWith(1));
    game->Press("Return");
    Screenshot help = game->WaitUntil("the help box", ShowsHelp);

    EXPECT_EQ(help.RowBands(HELP_GREEN).size(), GetParam().helpHeaderLines);
    Area keys = help.Bounds(HELP_GREEN);
    Area prompt = help.Bounds(HELP_PURPLE);
    EXPECT_LT(keys.y + keys.h, prompt.y);
    EXPECT_NEAR(CentreOf(prompt), WINDOW_CENTRE_X, CENTRING_SLACK);
    EXPECT_EQ(help.Count(TITLE_BLUE), 0);
    EXPECT_EQ(help.Count(SELECTED_RED), 0);
    EXPECT_TRUE(Encloses(help.Bounds(BoxInside()), prompt));
    EXPECT_TRUE(ShowsBackgroundAt(help, EDGE_SPOTS));

    // Neither the close button nor another key leaves help; Enter does, onto "Play".
    game->RequestClose();
    game->Press("Down Return");
    Screenshot back = game->WaitUntil("the main menu again", MainMenuWith(0));
    EXPECT_TRUE(back == menu) << "the main menu looks different after help";
    EXPECT_TRUE(game->Running());

    game->Press("Down Down Return");
    EXPECT_EQ(game->WaitForExit(), 0);
}

TEST_P(ShellEndToEnd, QuitEndsNormallyAndWritesTheHighScoreAsBareDigits) {
    dir.WriteFile("hiscore", "  42\n");
    StartOnMainMenu();
    // Up on the first option stays there; Down moves one line at a time.
    game->Press("Up Down");
    game->WaitUntil("Help selected", MainMenuWith(1));
    game->Press("Down");
    game->WaitUntil("Quit selected", MainMenuWith(2));
    // Down on the last option stays there, so Enter quits.
    game->Press("Down Return");
    EXPECT_EQ(game->WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "42");
}

TEST_P(ShellEndToEnd, CloseButtonOnTheMainMenuIsIgnored) {
    StartOnMainMenu();
    game->RequestClose();
    // Keys are read after the close request: once Down has moved the selection, the request
    // has been taken and ignored.
    game->Press("Down");
    Screenshot menu = game->WaitUntil("Help selected after the close request", MainMenuWith(1));
    EXPECT_TRUE(game->Running());
    EXPECT_TRUE(ShowsBackgroundAt(menu, EDGE_SPOTS));

    game->Press("Down Return");
    EXPECT_EQ(game->WaitForExit(), 0);
    // No high-score file at start: the score was 0, and it is written back as such.
    EXPECT_EQ(dir.ReadFile("hiscore"), "0");
}

// Interrupt, terminate and hang-up end the program as "Quit" does, on every screen; each
// screen here gets another of them.
TEST_P(ShellEndToEnd, QuitSignalsEndTheProgramNormallyOnTheMenuHelpAndPauseScreens) {
    const struct {
        const char* screen;
        int signalNumber;
    } cases[] = {{"main menu", SIGINT}, {"help", SIGTERM}, {"pause", SIGHUP}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        dir.WriteFile("hiscore", "  42\n");
        StartOnMainMenu();
        const std::string screen = c.screen;
        if (screen == "help") {
            game->Press("Down");
            game->WaitUntil("Help selected", MainMenuWith(1));
            game->Press("Return");
            game->WaitUntil("the help box", ShowsHelp);
        } else if (screen == "pause") {
            game->Press("Return");
            game->WaitUntil("play", [](const Screenshot& shot) {
                return shot.Count(TITLE_BLUE) == 0 && shot.Count(SELECTED_RED) == 0;
            });
            game->Press("p");
            game->WaitUntil("the pause menu", [](const Screenshot& shot) {
                return shot.Count(TITLE_BLUE) > WORD_PIXELS && shot.Count(SELECTED_RED) == 0;
            });
        }
        kill(game->Pid(), c.signalNumber);
        EXPECT_EQ(game->WaitForExit(), 0);
        EXPECT_EQ(dir.ReadFile("hiscore"), "42") << "the high score is written at the end";
    }
}

// A display number no X server answers on.
std::string UnusedDisplayName() {
    int number = 90;
    while (access(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), F_OK) == 0) {
        ++number;
    }
    return ":" + std::to_string(number);
}

// Without a display the program says so on one line and ends at once, instead of drawing
// the game as characters on the terminal; a video driver the player names is still used.
TEST_P(ShellEndToEnd, WithoutADisplayItSaysSoUnlessThePlayerNamesAVideoDriver) {
    dir.CopyStartupFiles();
    const std::string name = GetParam().name;
    const std::string unreachable = UnusedDisplayName();
    const std::pair<EnvironmentChanges, std::string> refusals[] = {
        {{"DISPLAY"}, name + ": cannot open a window: no graphical display (DISPLAY is not set)\n"},
        {{"DISPLAY=" + unreachable},
         name + ": cannot open the X display \"" + unreachable + "\"\n"},
    };
    for (const auto& [changes, said] : refusals) {
        SCOPED_TRACE(changes[0]);
        GameProcess refused(GameFile(name), dir.Path(), changes);
        EXPECT_EQ(refused.WaitForExit(), 1);
        EXPECT_EQ(refused.Errors(), said);
        EXPECT_EQ(refused.Output().size(), 0u) << "bytes on stdout (a text-mode stand-in?)";
        EXPECT_FALSE(dir.Exists("hiscore"));
    }

    GameProcess named(GameFile(name), dir.Path(), {"DISPLAY", "SDL_VIDEODRIVER=dummy"});
    ASSERT_TRUE(named.WaitUntilCatching(SIGTERM));
    kill(named.Pid(), SIGTERM);
    EXPECT_EQ(named.WaitForExit(), 0);
    EXPECT_EQ(dir.ReadFile("hiscore"), "0");
    EXPECT_EQ(named.Errors() + named.Output(), "");
}

INSTANTIATE_TEST_SUITE_P(BothGames, ShellEndToEnd, ::testing::ValuesIn(PROGRAMS),
                         [](const ::testing::TestParamInfo<Program>& info) {
                             return std::string(info.param.name);
                         });

// Each of the four start-up files missing in turn.
class MissingDataFile : public ::testing::TestWithParam<std::tuple<Program, const char*>> {};

TEST_P(MissingDataFile, EndsWithStatusOneSayingWhichAndWritesNoHighScore) {
    const Program& program = std::get<0>(GetParam());
    std::string missing = std::get<1>(GetParam());
    ScratchDir dir;
    for (const char* file : STARTUP_FILES) {
        if (file != missing) {
            dir.CopyGameFile(file);
        }
    }
    GameProcess game(GameFile(program.name), dir.Path());
    EXPECT_EQ(game.WaitForExit(), 1);
    EXPECT_FALSE(dir.Exists("hiscore"));
    EXPECT_EQ(game.Errors(), std::string(program.name) + ": cannot load " + missing +
                                 ": No such file or directory\n");
}

INSTANTIATE_TEST_SUITE_P(
    BothGames, MissingDataFile,
    ::testing::Combine(::testing::ValuesIn(PROGRAMS), ::testing::ValuesIn(STARTUP_FILES)),
    [](const ::testing::TestParamInfo<std::tuple<Program, const char*>>& info) {
        std::string name =
            std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param);
        for (char& c : name) {
            if (c == '.') {
                c = '_';
            }
        }
        return name;
    });

}  // namespace
