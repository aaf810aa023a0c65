#include "shell/screens.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "SDL_ttf.h"
#include "shell/game_supplies.h"
#include "shell/globals.h"
#include "shell/state_stack.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_game.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"

namespace {

using StateFunction = void (*)();

// Plain colours for the pictures, so that every pixel of the screen tells where it came from.
const Rgb BACKGROUND{30, 30, 60};
const Rgb BOX{200, 200, 160};
const Rgb GAME_PICTURE{FAKE_PLAY_RED, FAKE_PLAY_GREEN, FAKE_PLAY_BLUE};

const Rgb BLUE{0, 0, 255};
const Rgb RED{255, 0, 0};
const Rgb GREY{115, 115, 115};
const Rgb HELP_GREEN{100, 250, 100};
const Rgb HELP_PURPLE{180, 20, 240};
const Rgb DEAD_RED{200, 20, 20};

struct Area {
    int x;
    int y;
    int w;
    int h;
};

// One line of text as a screen shows it, and the colour its letters must have.
struct ShownLine {
    TTF_Font* font;
    std::string text;
    Rgb colour;
};

// Where a block of lines lands when it is centred on the screen: each line is as tall as its
// font and centred within the widest line.
struct Layout {
    Area block;
    std::vector<Area> lines;
};

Layout CentredLayout(const std::vector<ShownLine>& shown) {
    std::vector<int> widths;
    std::vector<int> heights;
    int width = 0;
    int height = 0;
    for (const ShownLine& line : shown) {
        int w = 0;
        int h = 0;
        TTF_SizeText(line.font, line.text.c_str(), &w, &h);
        widths.push_back(w);
        heights.push_back(h);
        width = std::max(width, w);
        height += h;
    }
    Layout layout;
    layout.block = {(640 - width) / 2, (480 - height) / 2, width, height};
    int y = layout.block.y;
    for (size_t i = 0; i < shown.size(); ++i) {
        layout.lines.push_back(
            {layout.block.x + (width - widths[i]) / 2, y, widths[i], heights[i]});
        y += heights[i];
    }
    return layout;
}

int CountColour(SDL_Surface* surface, const Area& area, Rgb colour) {
    int count = 0;
    for (int y = area.y; y < area.y + area.h; ++y) {
        for (int x = area.x; x < area.x + area.w; ++x) {
            if (ColourAt(surface, x, y) == colour) {
                ++count;
            }
        }
    }
    return count;
}

// Every line has letters in its own colour, and letters of each colour appear nowhere on the
// screen but inside the lines that are meant to have it.
void ExpectLinesShown(SDL_Surface* surface, const std::vector<ShownLine>& shown) {
    Layout layout = CentredLayout(shown);
    const Area wholeScreen{0, 0, 640, 480};
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_GT(CountColour(surface, layout.lines[i], shown[i].colour), 0)
            << "no letters of \"" << shown[i].text << "\" in " << shown[i].colour;
    }
    for (const ShownLine& line : shown) {
        int inPlace = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            if (shown[i].colour == line.colour) {
                inPlace += CountColour(surface, layout.lines[i], line.colour);
            }
        }
        EXPECT_EQ(CountColour(surface, wholeScreen, line.colour), inPlace)
            << line.colour << " letters outside the lines of that colour";
    }
}

// The screen holds the colour everywhere outside the area.
void ExpectAround(SDL_Surface* surface, const Area& area, Rgb colour) {
    EXPECT_TRUE(AreaIs(surface, 0, 0, 640, area.y, colour)) << "above";
    EXPECT_TRUE(AreaIs(surface, 0, area.y + area.h, 640, 480 - area.y - area.h, colour)) << "below";
    EXPECT_TRUE(AreaIs(surface, 0, area.y, area.x, area.h, colour)) << "left";
    EXPECT_TRUE(AreaIs(surface, area.x + area.w, area.y, 640 - area.x - area.w, area.h, colour))
        << "right";
}

// The box fills the area between its edges and the text block.
void ExpectBoxAround(SDL_Surface* surface, const Area& box, const Area& text) {
    EXPECT_TRUE(AreaIs(surface, box.x, box.y, box.w, text.y - box.y, BOX)) << "box above text";
    EXPECT_TRUE(
        AreaIs(surface, box.x, text.y + text.h, box.w, box.y + box.h - text.y - text.h, BOX))
        << "box below text";
    EXPECT_TRUE(AreaIs(surface, box.x, box.y, text.x - box.x, box.h, BOX)) << "box left of text";
    EXPECT_TRUE(
        AreaIs(surface, text.x + text.w, box.y, box.x + box.w - text.x - text.w, box.h, BOX))
        << "box right of text";
}

Area CentredBox(const Area& text, int extraWidth, int extraHeight) {
    int w = text.w + extraWidth;
    int h = text.h + extraHeight;
    return {(640 - w) / 2, (480 - h) / 2, w, h};
}

std::vector<ShownLine> MainMenuLines(int selected) {
    std::vector<ShownLine> lines = {{impactFont1, GAME_CAPTION, BLUE}};
    const char* options[] = {"Play", "Help", "Quit"};
    for (int i = 0; i < 3; ++i) {
        lines.push_back({impactFont2, options[i], i == selected ? RED : GREY});
    }
    return lines;
}

SDL_Surface* SolidSurface(SDL_Surface* like, int w, int h, Rgb colour) {
    SDL_PixelFormat* f = like->format;
    SDL_Surface* surface =
        SDL_CreateRGBSurface(0, w, h, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    FillRect(surface, 0, 0, w, h, colour);
    return surface;
}

std::vector<StateFunction> Stack() {
    std::stack<StateStruct> copy = StateStack;
    std::vector<StateFunction> bottomFirst;
    while (!copy.empty()) {
        bottomFirst.insert(bottomFirst.begin(), copy.top().statePointer);
        copy.pop();
    }
    return bottomFirst;
}

void StackUp(std::initializer_list<StateFunction> states) {
    EmptyStateStack();
    for (StateFunction state : states) {
        PushState(state);
    }
}

void PushKeys(std::initializer_list<SDLKey> keys) {
    for (SDLKey key : keys) {
        PushKeyDown(key);
    }
}

// The screens on the dummy display with the game's fonts and plain pictures of our own, the
// one menu object, the fake game and the fake clock.
class ScreenTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        ResetFakeGame();
        screen = display;
        background = SolidSurface(display, 640, 480, BACKGROUND);
        menuBox = SolidSurface(display, 90, 90, BOX);
        ASSERT_NO_FATAL_FAILURE(OpenGameFonts());
        theMenu = std::make_unique<ZemMenu>();
        menu = theMenu.get();
        timer.Start();
        FakeClock::OnDelay([](Uint32) { GuardAgainstRunaway(); });
    }

    void TearDown() override {
        StackUp({});
        menu = nullptr;
        theMenu.reset();
        FreeGamePictures();
        CloseGameFonts();
        screen = nullptr;
        timer.Stop();
        ResetFakeGame();
        SdlTest::TearDown();
    }

    // A blocking screen that missed its Enter would wait for ever.
    static void GuardAgainstRunaway() {
        if (FakeClock::Delays().size() > 1000) {
            ADD_FAILURE() << "the screen never lets go";
            PushKeyDown(SDLK_RETURN);
        }
    }

    // One pass of the main menu, which must show its own lines with "Play" selected.
    void ExpectMainMenuWithPlaySelected() {
        ASSERT_EQ(PendingEvents(), 0);
        MenuState();
        ExpectLinesShown(display, MainMenuLines(0));
    }

    FakeClock clock;
    std::unique_ptr<ZemMenu> theMenu;
};

using MainMenuTest = ScreenTest;
using HelpScreenTest = ScreenTest;
using PauseScreenTest = ScreenTest;
using LoseScreenTest = ScreenTest;

}  // namespace

TEST_F(MainMenuTest, ShowsTheCaptionInBluePlayInRedAndTheRestInGreyInABoxMidScreen) {
    FillRect(display, 0, 0, 640, 480, GAME_PICTURE);
    StackUp({MenuState});
    PreMenu();

    MenuState();

    Layout layout = CentredLayout(MainMenuLines(0));
    Area box = CentredBox(layout.block, 20, 20);
    ExpectLinesShown(display, MainMenuLines(0));
    ExpectBoxAround(display, box, layout.block);
    ExpectAround(display, box, BACKGROUND);
    EXPECT_EQ(Stack(), std::vector<StateFunction>{MenuState});
}

TEST_F(MainMenuTest, UpAndDownMoveTheRedLineOnePassAtATimeAndStopAtTheEnds) {
    StackUp({MenuState});
    PreMenu();
    // Each pass draws first and then takes its one event: a move shows on the next pass.
    auto passes = [](int count) {
        for (int pass = 0; pass < count; ++pass) {
            MenuState();
        }
    };

    PushKeys({SDLK_DOWN, SDLK_DOWN});
    passes(1);
    EXPECT_EQ(PendingEvents(), 1) << "one event per pass";
    passes(1);
    ExpectLinesShown(display, MainMenuLines(1));
    passes(1);
    ExpectLinesShown(display, MainMenuLines(2));

    PushKeys({SDLK_DOWN, SDLK_UP});
    passes(3);
    ExpectLinesShown(display, MainMenuLines(1));

    PushKeys({SDLK_UP, SDLK_UP, SDLK_UP});
    passes(4);
    ExpectLinesShown(display, MainMenuLines(0));
    EXPECT_EQ(Stack(), std::vector<StateFunction>{MenuState});
}

TEST_F(MainMenuTest, PlayPreparesAGameAndThenPushesPlay) {
    StackUp({MenuState});
    PreMenu();
    PushKeys({SDLK_RETURN});

    MenuState();

    EXPECT_EQ(fakeGameLog.prePlayCalls, 1);
    EXPECT_EQ(fakeGameLog.topAtPrePlay, MenuState);
    EXPECT_EQ(fakeGameLog.depthAtPrePlay, 1u);
    EXPECT_EQ(Stack(), (std::vector<StateFunction>{MenuState, PlayState}));
}

TEST_F(MainMenuTest, HelpPushesTheHelpScreenAndQuitEmptiesTheStack) {
    StackUp({MenuState});
    PreMenu();
    PushKeys({SDLK_DOWN, SDLK_RETURN});
    MenuState();
    MenuState();
    EXPECT_EQ(Stack(), (std::vector<StateFunction>{MenuState, HelpState}));

    StackUp({MenuState});
    PreMenu();
    PushKeys({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
    for (int pass = 0; pass < 4; ++pass) {
        MenuState();
    }
    EXPECT_TRUE(StateStack.empty());
    EXPECT_EQ(fakeGameLog.prePlayCalls, 0);
}

TEST_F(MainMenuTest, IgnoresClosingTheWindowTheMouseAndOtherKeys) {
    StackUp({MenuState});
    PreMenu();
    PushQuit();
    PushMouseMotion();
    PushKeys({SDLK_a, SDLK_ESCAPE});
    PushKeyUp(SDLK_RETURN);

    for (int pass = 0; pass < 5; ++pass) {
        MenuState();
    }

    EXPECT_EQ(PendingEvents(), 0);
    EXPECT_EQ(Stack(), std::vector<StateFunction>{MenuState});
    EXPECT_EQ(fakeGameLog.prePlayCalls, 0);
    ExpectLinesShown(display, MainMenuLines(0));
}

TEST_F(HelpScreenTest, ShowsTheGamesHelpLinesInABoxOverTheBackground) {
    FillRect(display, 0, 0, 640, 480, GAME_PICTURE);
    StackUp({MenuState, HelpState});
    PushKeys({SDLK_RETURN});

    HelpState();

    std::vector<ShownLine> lines;
    for (const char* line : HELP_LINES) {
        lines.push_back({impactFont1, line, HELP_GREEN});
    }
    lines.push_back({arialFont1, "Press Enter to Continue", HELP_PURPLE});
    Layout layout = CentredLayout(lines);
    Area box = CentredBox(layout.block, 20, 10);
    ExpectLinesShown(display, lines);
    ExpectBoxAround(display, box, layout.block);
    ExpectAround(display, box, BACKGROUND);
}

TEST_F(HelpScreenTest, EnterAloneLeadsBackToTheMainMenuWithPlaySelected) {
    StackUp({MenuState});
    PreMenu();
    PushKeys({SDLK_DOWN, SDLK_RETURN});
    MenuState();
    MenuState();
    ASSERT_EQ(Stack(), (std::vector<StateFunction>{MenuState, HelpState}));
    PushQuit();
    PushMouseMotion();
    PushKeys({SDLK_a, SDLK_UP, SDLK_DOWN});
    PushKeyUp(SDLK_RETURN);
    PushKeys({SDLK_RETURN, SDLK_DOWN});

    HelpState();

    EXPECT_EQ(PendingEvents(), 1) << "the key after Enter is the main menu's";
    EXPECT_EQ(Stack(), std::vector<StateFunction>{MenuState});
    DrainEvents();
    ExpectMainMenuWithPlaySelected();
}

TEST_F(PauseScreenTest, ShowsGamePausedOverTheGameWithTheClockStoppedUntilContinue) {
    FillRect(display, 0, 0, 640, 480, GAME_PICTURE);
    StackUp({MenuState, PlayState, PauseState});
    FakeClock::Advance(300);
    Uint32 atPause = timer.GetTicks();
    std::vector<ShownLine> lines = {{impactFont2, "Game Paused", BLUE},
                                    {impactFont1, "Continue Game", WHITE},
                                    {impactFont1, "Return to Menu", GREY}};
    std::vector<Uint32> readingsWhilePaused;
    bool looked = false;
    FakeClock::OnDelay([&](Uint32) {
        GuardAgainstRunaway();
        readingsWhilePaused.push_back(timer.GetTicks());
        if (!looked) {
            looked = true;
            ExpectLinesShown(display, lines);
            ExpectAround(display, CentredLayout(lines).block, GAME_PICTURE);
        }
    });
    PushQuit();
    PushKeys({SDLK_x, SDLK_RETURN});

    PauseState();

    EXPECT_EQ(Stack(), (std::vector<StateFunction>{MenuState, PlayState}));
    EXPECT_EQ(readingsWhilePaused, std::vector<Uint32>(3, atPause));
    EXPECT_EQ(timer.GetTicks(), atPause);
    FakeClock::Advance(16);
    EXPECT_EQ(timer.GetTicks(), atPause + 16) << "the clock runs again after the pause";
    // This game redraws every frame, so the pause lines are simply left behind.
    ExpectLinesShown(display, lines);
}

TEST_F(PauseScreenTest, ReturnToMenuDropsTheGameAndShowsTheMainMenu) {
    StackUp({MenuState, PlayState, PauseState});
    PushKeys({SDLK_DOWN, SDLK_RETURN});

    PauseState();

    EXPECT_EQ(Stack(), std::vector<StateFunction>{MenuState});
    Uint32 reading = timer.GetTicks();
    FakeClock::Advance(9);
    EXPECT_EQ(timer.GetTicks(), reading + 9);
    ExpectMainMenuWithPlaySelected();
}

TEST_F(PauseScreenTest, AlwaysOpensOnContinueGame) {
    StackUp({MenuState});
    PreMenu();
    PushKeys({SDLK_DOWN, SDLK_DOWN});
    MenuState();
    MenuState();
    PushState(PlayState);
    PushState(PauseState);
    PushKeys({SDLK_RETURN});

    PauseState();

    EXPECT_EQ(Stack(), (std::vector<StateFunction>{MenuState, PlayState}));
}

TEST_F(LoseScreenTest, ShowsYouAreDeadOverTheLastPictureThenTheMainMenu) {
    FillRect(display, 0, 0, 640, 480, GAME_PICTURE);
    StackUp({MenuState, LoseState});
    std::vector<ShownLine> lines = {{impactFont2, "You Are Dead", DEAD_RED},
                                    {arialFont1, "Press Enter to Continue", WHITE}};
    bool looked = false;
    FakeClock::OnDelay([&](Uint32) {
        GuardAgainstRunaway();
        if (!looked) {
            looked = true;
            ExpectLinesShown(display, lines);
            ExpectAround(display, CentredLayout(lines).block, GAME_PICTURE);
        }
    });
    Uint32 before = timer.GetTicks();
    PushQuit();
    PushKeys({SDLK_RETURN});

    LoseState();

    EXPECT_TRUE(looked);
    EXPECT_EQ(Stack(), std::vector<StateFunction>{MenuState});
    EXPECT_EQ(timer.GetTicks(), before + 40) << "the clock keeps running on this screen";
    ExpectMainMenuWithPlaySelected();
}
