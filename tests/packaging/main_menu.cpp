#include "tests/packaging/main_menu.h"

namespace {

const Rgb TITLE_BLUE{0, 0, 255};
const Rgb SELECTED_RED{255, 0, 0};
const Rgb OPTION_GREY{115, 115, 115};
// More pixels of one colour than a stray speck: a word of large text.
const int WORD_PIXELS = 150;
const size_t GREY_OPTIONS = 2;

}  // namespace

bool ShowsMainMenu(const Screenshot& shot) {
    Area title = shot.Bounds(TITLE_BLUE);
    Area play = shot.Bounds(SELECTED_RED);
    auto greyLines = shot.RowBands(OPTION_GREY);
    return shot.Count(TITLE_BLUE) > WORD_PIXELS && shot.Count(SELECTED_RED) > WORD_PIXELS &&
           greyLines.size() == GREY_OPTIONS && title.y + title.h < play.y &&
           play.y + play.h < greyLines[0].first;
}
