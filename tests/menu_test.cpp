#include "framework/menu.h"

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/surface.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/sdl_test.h"
#include "tests/support/sound_log.h"

namespace {

const Rgb GREY{115, 115, 115};
const Rgb BLUE{0, 0, 255};
const Rgb BOX_COLOUR{200, 0, 200};
const Rgb BACKGROUND{0, 60, 0};

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface Hold(SDL_Surface* surface) {
    return Surface(surface, SDL_FreeSurface);
}

Uint32 Pack(Rgb colour) {
    return Uint32(colour.r) << 16 | Uint32(colour.g) << 8 | colour.b;
}

// The colours of each line of a block.
using Lines = std::vector<std::set<Uint32>>;

// The colours in a rectangle other than the given background.
std::set<Uint32> ColoursIn(SDL_Surface* surface, int x, int y, int w, int h, Rgb background) {
    std::set<Uint32> found;
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) {
            Rgb colour = ColourAt(surface, column, row);
            if (colour != background) {
                found.insert(Pack(colour));
            }
        }
    }
    return found;
}

int TextWidth(TTF_Font* font, const char* text) {
    int w = 0;
    int h = 0;
    TTF_SizeText(font, text, &w, &h);
    return w;
}

// The band of the block from y to y + the font's height shows the text, rendered by the font
// library in the colour, at x and nothing else.
void ExpectLine(SDL_Surface* block, TTF_Font* font, const char* text, Rgb colour, int x, int y) {
    SCOPED_TRACE(text);
    Surface line =
        Hold(TTF_RenderText_Solid(font, text, SDL_Color{colour.r, colour.g, colour.b, 0}));
    ASSERT_NE(line, nullptr);
    Surface copy = Hold(CopyOf(block));
    int wrong = 0;
    for (int row = 0; row < TTF_FontHeight(font); ++row) {
        for (int column = 0; column < block->w; ++column) {
            int inLine = column - x;
            bool ink =
                inLine >= 0 && inLine < line->w && ColourAt(line.get(), inLine, row) == colour;
            wrong += ColourAt(copy.get(), column, y + row) != (ink ? colour : CYAN);
        }
    }
    EXPECT_EQ(wrong, 0) << "at (" << x << ", " << y << ")";
}

class MenuTest : public SdlTest {
protected:
    void SetUp() override {
        SdlTest::SetUp();
        headerFont = TTF_OpenFont(GameFile("impact.ttf").c_str(), 30);
        optionFont = TTF_OpenFont(GameFile("arial.ttf").c_str(), 14);
        ASSERT_NE(headerFont, nullptr);
        ASSERT_NE(optionFont, nullptr);
        headerHeight = TTF_FontHeight(headerFont);
        optionHeight = TTF_FontHeight(optionFont);
        boxTexture.reset(ZEM_NewSurface(90, 90));
        FillRect(boxTexture.get(), 0, 0, 90, 90, BOX_COLOUR);
    }
    void TearDown() override {
        boxTexture.reset();
        TTF_CloseFont(headerFont);
        TTF_CloseFont(optionFont);
        SdlTest::TearDown();
    }

    // The main menu's shape: a title and three options.
    void FillMainMenu() {
        menu.AddHeader("Zem");
        menu.AddOption("Play");
        menu.AddOption("Help");
        menu.AddOption("Quit");
    }

    // The colours each line of a one-header, three-option block shows.
    Lines LineColours(SDL_Surface* surface, int x, int y, int w, Rgb background = CYAN) {
        Lines colours{ColoursIn(surface, x, y, w, headerHeight, background)};
        for (int i = 0; i < 3; ++i) {
            colours.push_back(ColoursIn(surface, x, y + headerHeight + i * optionHeight, w,
                                        optionHeight, background));
        }
        return colours;
    }

    ZemMenu menu;
    TTF_Font* headerFont = nullptr;
    TTF_Font* optionFont = nullptr;
    int headerHeight = 0;
    int optionHeight = 0;
    Surface boxTexture{nullptr, SDL_FreeSurface};
    SDL_Event event{};
};

TEST_F(MenuTest, NewOrResetMenuHasBlueHeadersWhiteSelectionGreyOthers) {
    // A new menu's colours are read in every other test. Colours keep only the low 8 bits
    // of what they are given.
    FillMainMenu();
    menu.SetHeaderColor(1, 2, 3);
    menu.SetOnColor(300, 20, -156);
    menu.SetOffColor(10, 20, 30);
    PushKeyDown(SDLK_DOWN);
    menu.AcceptChoice(event);
    Surface block = Hold(menu.Draw(headerFont, optionFont));
    EXPECT_EQ(LineColours(block.get(), 0, 0, block->w), (Lines{{Pack(Rgb{1, 2, 3})},
                                                               {Pack(Rgb{10, 20, 30})},
                                                               {Pack(Rgb{44, 20, 100})},
                                                               {Pack(Rgb{10, 20, 30})}}));

    menu.Reset();
    block = Hold(menu.Draw(headerFont, optionFont));
    EXPECT_EQ(block->h, 0) << "Reset leaves no lines behind";
    FillMainMenu();
    block = Hold(menu.Draw(headerFont, optionFont));
    EXPECT_EQ(LineColours(block.get(), 0, 0, block->w),
              (Lines{{Pack(BLUE)}, {Pack(WHITE)}, {Pack(GREY)}, {Pack(GREY)}}));
}

TEST_F(MenuTest, LinesAreCentredInTheWidestAndOptionsStackUnderHeaders) {
    menu.AddHeader("Zem Tamu");
    menu.AddHeader("Hi");
    std::string help = "A much longer help line than the title";
    menu.AddOption("Play");
    menu.AddOption(help);
    menu.AddOption("Q");
    Surface block = Hold(menu.Draw(headerFont, optionFont));
    ASSERT_NE(block, nullptr);

    int width = TextWidth(optionFont, help.c_str());
    ASSERT_GT(width, TextWidth(headerFont, "Zem Tamu"));
    EXPECT_EQ(block->w, width);
    EXPECT_EQ(block->h, 2 * headerHeight + 3 * optionHeight);
    auto centre = [width](TTF_Font* font, const char* text) {
        return (width - TextWidth(font, text)) / 2;
    };
    ExpectLine(block.get(), headerFont, "Zem Tamu", BLUE, centre(headerFont, "Zem Tamu"), 0);
    ExpectLine(block.get(), headerFont, "Hi", BLUE, centre(headerFont, "Hi"), headerHeight);
    int optionsTop = 2 * headerHeight;
    ExpectLine(block.get(), optionFont, "Play", WHITE, centre(optionFont, "Play"), optionsTop);
    ExpectLine(block.get(), optionFont, help.c_str(), GREY, 0, optionsTop + optionHeight);
    ExpectLine(block.get(), optionFont, "Q", GREY, centre(optionFont, "Q"),
               optionsTop + 2 * optionHeight);

    menu.Reset();
    menu.AddHeader("Paused");
    block = Hold(menu.Draw(headerFont, optionFont));
    EXPECT_EQ(block->h, headerHeight) << "headers alone";
    ExpectLine(block.get(), headerFont, "Paused", BLUE, 0, 0);
}

TEST_F(MenuTest, LineThatCannotBeRenderedStaysBlankAtItsFontsHeight) {
    menu.AddHeader("");
    menu.AddOption("Play");
    menu.AddOption("");
    menu.AddOption("Quit");
    Surface block = Hold(menu.Draw(headerFont, optionFont));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->h, headerHeight + 3 * optionHeight);
    EXPECT_TRUE(AreaIs(block.get(), 0, 0, block->w, headerHeight, CYAN));
    EXPECT_TRUE(AreaIs(block.get(), 0, headerHeight + optionHeight, block->w, optionHeight, CYAN));
}

TEST_F(MenuTest, ShowCentredLaysTheBlockOverTheTargetWithTruncatingHalves) {
    FillMainMenu();
    Surface block = Hold(menu.Draw(headerFont, optionFont));
    // Targets with odd room to spare, and with too little room so that the block's position
    // goes negative and the halving must truncate towards zero.
    for (int spare : {7, -7}) {
        SCOPED_TRACE(spare);
        Surface target = Hold(SDL_CreateRGBSurface(0, block->w + spare, block->h + spare, 32,
                                                   0xff0000, 0xff00, 0xff, 0));
        FillRect(target.get(), 0, 0, target->w, target->h, BACKGROUND);
        Surface expected = Hold(CopyOf(target.get()));
        ZEM_BlitSurface(block.get(), nullptr, expected.get(), spare / 2, spare / 2);

        menu.ShowCentred(target.get(), headerFont, optionFont);
        EXPECT_TRUE(SamePixels(target.get(), expected.get()));
    }
}

TEST_F(MenuTest, ShowBoxedFramesTheBlockTwentyWiderAndTenTaller) {
    FillMainMenu();
    Surface block = Hold(menu.Draw(headerFont, optionFont));
    FillRect(display, 0, 0, 640, 480, BACKGROUND);
    Surface expected = Hold(CopyOf(display));
    int boxW = block->w + 20;
    int boxH = block->h + 10;
    FillRect(expected.get(), (640 - boxW) / 2, (480 - boxH) / 2, boxW, boxH, BOX_COLOUR);
    ZEM_BlitSurface(block.get(), nullptr, expected.get(), (640 - block->w) / 2,
                    (480 - block->h) / 2);

    menu.ShowBoxed(display, headerFont, optionFont, boxTexture.get());
    EXPECT_TRUE(SamePixels(display, expected.get()));
}

TEST_F(MenuTest, WithoutAScreenNothingIsDrawnAndNothingCrashes) {
    // No block can be made: the target is left as it was.
    FillMainMenu();
    Surface target = Hold(SDL_CreateRGBSurface(0, 50, 50, 32, 0xff0000, 0xff00, 0xff, 0));
    FillRect(target.get(), 0, 0, 50, 50, BACKGROUND);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    EXPECT_EQ(menu.Draw(headerFont, optionFont), nullptr);
    menu.ShowCentred(target.get(), headerFont, optionFont);
    menu.ShowBoxed(target.get(), headerFont, optionFont, boxTexture.get());
    EXPECT_TRUE(AreaIs(target.get(), 0, 0, 50, 50, BACKGROUND));
}

TEST_F(MenuTest, UpAndDownMoveOneStepWithoutWrappingAndEnterConfirms) {
    FillMainMenu();
    struct Case {
        std::vector<SDLKey> moves;
        int confirmed;
    };
    const Case cases[] = {
        {{}, 0},
        {{SDLK_UP}, 0},
        {{SDLK_DOWN}, 1},
        {{SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN}, 2},
        {{SDLK_DOWN, SDLK_DOWN, SDLK_UP}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.confirmed);
        menu.Reset();
        FillMainMenu();
        for (SDLKey key : c.moves) {
            PushKeyDown(key);
            EXPECT_EQ(menu.AcceptChoice(event), -1);
        }
        PushKeyDown(SDLK_RETURN);
        EXPECT_EQ(menu.AcceptChoice(event), c.confirmed);
        // The selection stays after confirming.
        PushKeyDown(SDLK_RETURN);
        EXPECT_EQ(menu.AcceptChoice(event), c.confirmed);
    }
}

TEST_F(MenuTest, TheSelectionSoundsOnlyWhenItMovesAndEnterSoundsTheChoice) {
    FillMainMenu();
    SoundLog sounds;
    const std::pair<SDLKey, std::vector<ZemSound>> presses[] = {
        {SDLK_UP, {}},
        {SDLK_DOWN, {SOUND_MENU_MOVED}},
        {SDLK_DOWN, {SOUND_MENU_MOVED}},
        {SDLK_DOWN, {}},
        {SDLK_a, {}},
        {SDLK_UP, {SOUND_MENU_MOVED}},
        {SDLK_RETURN, {SOUND_OPTION_CHOSEN}},
    };
    for (const auto& [key, heard] : presses) {
        PushKeyDown(key);
        menu.AcceptChoice(event);
        EXPECT_EQ(sounds.Take(), heard) << SDL_GetKeyName(key);
    }
}

TEST_F(MenuTest, EveryOtherEventIsConsumedOneAtATimeAndIgnored) {
    FillMainMenu();
    EXPECT_EQ(menu.AcceptChoice(event), -1) << "empty queue";
    PushKeyUp(SDLK_DOWN);
    PushKeyUp(SDLK_RETURN);
    PushKeyDown(SDLK_a);
    PushKeyDown(SDLK_ESCAPE);
    PushMouseMotion();
    PushQuit();
    PushKeyDown(SDLK_DOWN);
    PushKeyDown(SDLK_RETURN);
    for (int ignored = 0; ignored < 7; ++ignored) {
        EXPECT_EQ(menu.AcceptChoice(event), -1);
        EXPECT_EQ(PendingEvents(), 7 - ignored);
    }
    EXPECT_EQ(menu.AcceptChoice(event), 1);
    EXPECT_EQ(event.type, SDL_KEYDOWN);
    EXPECT_EQ(PendingEvents(), 0);
}

// Keys come both queued and while the menu waits; each pass takes one event, then redraws.
TEST_F(MenuTest, GetChoiceRedrawsEveryTwentyMillisecondsUntilEnter) {
    FakeClock clock;
    FillMainMenu();
    Surface block = Hold(menu.Draw(headerFont, optionFont));
    int left = (640 - block->w) / 2;
    int top = (480 - block->h) / 2;
    FillRect(display, 0, 0, 640, 480, BLACK);
    std::vector<Lines> passes;
    clock.OnDelay([&](Uint32) {
        passes.push_back(LineColours(display, left, top, block->w, BLACK));
        FillRect(display, 0, 0, 640, 480, BLACK);
        if (FakeClock::Delays().size() == 3) {
            PushKeyDown(SDLK_RETURN);
        }
    });
    PushKeyDown(SDLK_DOWN);
    PushKeyDown(SDLK_DOWN);

    EXPECT_EQ(menu.GetChoice(event, display, headerFont, optionFont), 2);
    EXPECT_EQ(clock.Delays(), (std::vector<Uint32>{20, 20, 20, 20}));
    std::set<Uint32> blue{Pack(BLUE)}, white{Pack(WHITE)}, grey{Pack(GREY)};
    EXPECT_EQ(passes, (std::vector<Lines>{{blue, grey, white, grey},
                                          {blue, grey, grey, white},
                                          {blue, grey, grey, white},
                                          {blue, grey, grey, white}}));
}

}  // namespace
