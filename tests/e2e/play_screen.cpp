#include "tests/e2e/play_screen.h"

#include <gtest/gtest.h>

#include "SDL_ttf.h"
#include "tests/support/scratch_dir.h"

namespace {

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};

}  // namespace

bool MainMenuShown(const Screenshot& shot) {
    return shot.Count(SELECTED_RED) > WORD_PIXELS && shot.Count(TITLE_BLUE) > WORD_PIXELS;
}

bool PausedShown(const Screenshot& shot) {
    return shot.Count(TITLE_BLUE) > WORD_PIXELS;
}

void StartPlay(GameProcess& game, std::initializer_list<const char*> heldKeys) {
    ASSERT_TRUE(game.WaitForWindow());
    game.WaitUntil("the main menu", MainMenuShown);
    for (const char* key : heldKeys) {
        game.KeyDown(key);
    }
    game.Press("Return");
}

void LeaveByTheMenus(GameProcess& game, const char* pauseKey) {
    game.Press(pauseKey);
    game.WaitUntil("the pause menu", PausedShown);
    game.Press("Down Return");
    game.WaitUntil("the main menu", MainMenuShown);
    game.Press("Down Down Return");
}

WallLine::WallLine(const std::string& text, int wallY, int wallRows)
    : wallY(wallY), wallRows(wallRows) {
    if (!TTF_WasInit()) {
        TTF_Init();
    }
    std::unique_ptr<TTF_Font, FontCloser> font(TTF_OpenFont(GameFile("arial.ttf").c_str(), 14));
    EXPECT_NE(font, nullptr);
    if (font != nullptr) {
        SDL_Color grey = {LINE_GREY.r, LINE_GREY.g, LINE_GREY.b, 0};
        rendered.reset(TTF_RenderText_Solid(font.get(), text.c_str(), grey));
    }
    EXPECT_NE(rendered, nullptr) << text;
}

bool WallLine::ShownIn(const Screenshot& shot) const {
    if (rendered == nullptr || shot.Empty()) {
        return false;
    }
    const int left = (640 - rendered->w) / 2;
    for (int y = wallY; y < wallY + wallRows; ++y) {
        for (int x = 0; x < 639; ++x) {
            const bool inside = x >= left && x < left + rendered->w && y - wallY < rendered->h;
            const bool ink = inside && ColourAt(rendered.get(), x - left, y - wallY) == LINE_GREY;
            if (shot.At(x, y) != (ink ? LINE_GREY : WHITE)) {
                return false;
            }
        }
    }
    return true;
}
