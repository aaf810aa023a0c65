#include "shell/screens.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SDL.h"
#include "SDL_ttf.h"
#include "framework/surface.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/main_loop.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_game.h"
#include "tests/support/game_screen.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/support/sound_log.h"

// The screens' own pictures and keys; which screen follows which in a whole run is in
// startup_test.cpp.

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
    std::vector<Area> sizes;
    int width = 0;
    int height = 0;
    for (const ShownLine& line : shown) {
        Area size{0, 0, 0, 0};
        TTF_SizeText(line.font, line.text.c_str(), &size.w, &size.h);
        sizes.push_back(size);
        width = std::max(width, size.w);
        height += size.h;
    }
    Layout layout;
    layout.block = {(640 - width) / 2, (480 - height) / 2, width, height};
    int y = layout.block.y;
    for (const Area& size : sizes) {
        layout.lines.push_back({layout.block.x + (width - size.w) / 2, y, size.w, size.h});
        y += size.h;
    }
    return layout;
}

int CountColour(SDL_Surface* surface, const Area& area, Rgb colour) {
    int count = 0;
    for (int y = area.y; y < area.y + area.h; ++y) {
        for (int x = area.x; x < area.x + area.w; ++x) {
            count += ColourAt(surface, x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// Every line has letters in its own colour, and letters of each colour appear nowhere on the
// screen but inside the lines that are meant to have it.
void ExpectLinesShown(SDL_Surface* surface, const std::vector<ShownLine>& shown) {
    Layout layout = CentredLayout(shown);
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
        EXPECT_EQ(CountColour(surface, {0, 0, 640, 480}, line.colour), inPlace)
            << line.colour << " letters outside the lines of that colour";
    }
}

// The screen holds the colour everywhere between the outer area's edges and the inner one.
void ExpectAround(SDL_Surface* surface, const Area& outer, const Area& inner, Rgb colour) {
    const int right = inner.x + inner.w;
    const int bottom = inner.y + inner.h;
    EXPECT_TRUE(AreaIs(surface, outer.x, outer.y, outer.w, inner.y - outer.y, colour)) << "above";
    EXPECT_TRUE(AreaIs(surface, outer.x, bottom, outer.w, outer.y + outer.h - bottom, colour))
        << "below";
    EXPECT_TRUE(AreaIs(surface, outer.x, outer.y, inner.x - outer.x, outer.h, colour)) << "left";
    EXPECT_TRUE(AreaIs(surface, right, outer.y, outer.x + outer.w - right, outer.h, colour))
        << "right";
}

// The lines on a box as much wider and taller than them as given, centred over the
// background picture.
void ExpectBoxedLines(SDL_Surface* surface, const std::vector<ShownLine>& lines, int extraWidth,
                      int extraHeight) {
    const Area text = CentredLayout(lines).block;
    const int w = text.w + extraWidth;
    const int h = text.h + extraHeight;
    const Area box{(640 - w) / 2, (480 - h) / 2, w, h};
    ExpectLinesShown(surface, lines);
    ExpectAround(surface, box, text, BOX);
    ExpectAround(surface, {0, 0, 640, 480}, box, BACKGROUND);
}

std::vector<ShownLine> MainMenuLines(int selected) {
    std::vector<ShownLine> lines = {{impactFont1, FAKE_GAME.caption, BLUE}};
    const char* options[] = {"Play", "Help", "Quit"};
    for (int i = 0; i < 3; ++i) {
        lines.push_back({impactFont2, options[i], i == selected ? RED : GREY});
    }
    return lines;
}

SDL_Surface* SolidSurface(int w, int h, Rgb colour) {
    SDL_Surface* surface = ZEM_NewSurface(w, h);
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
        background = SolidSurface(640, 480, BACKGROUND);
        menuBox = SolidSurface(90, 90, BOX);
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

    // Looks at a blocking screen's lines over the game's last picture on its first wait, and
    // reads the game clock at every wait.
    void WatchWaits(const std::vector<ShownLine>& lines) {
        FakeClock::OnDelay([this, lines](Uint32) {
            GuardAgainstRunaway();
            readingsWhileWaiting.push_back(timer.GetTicks());
            if (readingsWhileWaiting.size() == 1) {
                ExpectLinesShown(display, lines);
                ExpectAround(display, {0, 0, 640, 480}, CentredLayout(lines).block, GAME_PICTURE);
            }
        });
    }

    // One pass of the main menu over whatever the screen held, which must show the
    // background and the main menu's box with "Play" selected.
    void ExpectMainMenuWithPlaySelected() {
        ASSERT_EQ(PendingEvents(), 0);
        FillRect(display, 0, 0, 640, 480, GAME_PICTURE);
        MenuState();
        ExpectBoxedLines(display, MainMenuLines(0), 20, 20);
        EXPECT_EQ(Stack(), std::vector<StateFunction>{MenuState});
    }

    FakeClock clock;
    std::unique_ptr<ZemMenu> theMenu;
    std::vector<Uint32> readingsWhileWaiting;
};

using MainMenuTest = ScreenTest;
using HelpScreenTest = ScreenTest;
using PauseScreenTest = ScreenTest;
using LoseScreenTest = ScreenTest;

}  // namespace

TEST_F(MainMenuTest, ShowsTheCaptionInBluePlayInRedAndTheRestInGreyInABoxMidScreen) {
    StackUp({MenuState});
    PreMenu();
    ExpectMainMenuWithPlaySelected();
}

TEST_F(HelpScreenTest, ShowsTheHelpLinesInABoxAndOnlyEnterLeadsBackToTheMainMenu) {
    StackUp({MenuState});
    PreMenu();
    PushKeys({SDLK_DOWN, SDLK_RETURN});
    MenuState();  // each pass draws, then takes one event
    MenuState();
    ASSERT_EQ(Stack(), (std::vector<StateFunction>{MenuState, HelpState}));
    FillRect(display, 0, 0, 640, 480, GAME_PICTURE);
    PushQuit();
    PushMouseMotion();
    PushKeys({SDLK_a, SDLK_UP, SDLK_DOWN});
    PushKeyUp(SDLK_RETURN);
    PushKeys({SDLK_RETURN, SDLK_DOWN});

    HelpState();

    std::vector<ShownLine> lines;
    for (const char* line : FAKE_GAME.helpLines) {
        lines.push_back({impactFont1, line, HELP_GREEN});
    }
    lines.push_back({arialFont1, "Press Enter to Continue", HELP_PURPLE});
    ExpectBoxedLines(display, lines, 20, 10);
    EXPECT_EQ(PendingEvents(), 1) << "the key after Enter is the main menu's";
    DrainEvents();
    ExpectMainMenuWithPlaySelected();
}

TEST_F(PauseScreenTest, OpensOnContinueGameOverTheGameWithTheClockStoppedUntilContinue) {
    StackUp({MenuState});
    PreMenu();
    PushKeys({SDLK_DOWN, SDLK_DOWN});
    MenuState();
    MenuState();  // "Quit" selected on the main menu must not carry over
    PushState(FAKE_GAME.PlayState);
    PushState(PauseState);
    FillRect(display, 0, 0, 640, 480, GAME_PICTURE);
    FakeClock::Advance(300);
    const Uint32 atPause = timer.GetTicks();
    const std::vector<ShownLine> lines = {{impactFont2, "Game Paused", BLUE},
                                          {impactFont1, "Continue Game", WHITE},
                                          {impactFont1, "Return to Menu", GREY}};
    WatchWaits(lines);
    PushQuit();
    PushKeys({SDLK_x, SDLK_RETURN});

    PauseState();

    EXPECT_EQ(Stack(), (std::vector<StateFunction>{MenuState, FAKE_GAME.PlayState}));
    EXPECT_EQ(readingsWhileWaiting, std::vector<Uint32>(3, atPause));
    EXPECT_EQ(timer.GetTicks(), atPause);
    FakeClock::Advance(16);
    EXPECT_EQ(timer.GetTicks(), atPause + 16) << "the clock runs again after the pause";
    // This game redraws every frame, so the pause lines are simply left behind.
    ExpectLinesShown(display, lines);
}

TEST_F(PauseScreenTest, ReturnToMenuDropsTheGameAndShowsTheMainMenu) {
    StackUp({MenuState, FAKE_GAME.PlayState, PauseState});
    PushKeys({SDLK_DOWN, SDLK_RETURN});

    PauseState();

    Uint32 reading = timer.GetTicks();
    FakeClock::Advance(9);
    EXPECT_EQ(timer.GetTicks(), reading + 9);
    ExpectMainMenuWithPlaySelected();
}

TEST_F(PauseScreenTest, OpeningIsHeardBeforeTheMenusOwnSounds) {
    StackUp({MenuState, FAKE_GAME.PlayState, PauseState});
    SoundLog sounds;
    PushKeys({SDLK_DOWN, SDLK_RETURN});

    PauseState();

    EXPECT_EQ(sounds.Take(),
              (std::vector<ZemSound>{SOUND_PAUSE_OPENED, SOUND_MENU_MOVED, SOUND_OPTION_CHOSEN}));
}

TEST_F(LoseScreenTest, ShowsYouAreDeadOverTheLastPictureThenTheMainMenu) {
    FillRect(display, 0, 0, 640, 480, GAME_PICTURE);
    StackUp({MenuState, LoseState});
    WatchWaits(
        {{impactFont2, "You Are Dead", DEAD_RED}, {arialFont1, "Press Enter to Continue", WHITE}});
    Uint32 before = timer.GetTicks();
    PushQuit();
    PushKeys({SDLK_RETURN});

    LoseState();

    EXPECT_FALSE(readingsWhileWaiting.empty());
    EXPECT_EQ(timer.GetTicks(), before + 40) << "the clock keeps running on this screen";
    ExpectMainMenuWithPlaySelected();
}
