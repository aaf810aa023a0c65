#include "framework/menu.h"

#include <algorithm>
#include <cstddef>

#include "framework/clock.h"
#include "framework/kept_text.h"
#include "framework/present.h"
#include "framework/sound.h"
#include "framework/surface.h"

namespace {

const SDL_Color DEFAULT_ON_COLOR{255, 255, 255, 0};
const SDL_Color DEFAULT_OFF_COLOR{115, 115, 115, 0};
const SDL_Color DEFAULT_HEADER_COLOR{0, 0, 255, 0};

// The textured box reaches past the block by half of these on each side.
const int BOX_EXTRA_WIDTH = 20;
const int BOX_EXTRA_HEIGHT = 10;
const int BOX_TILE_SIZE = 30;
// A blocking menu redraws about 50 times a second.
const Uint32 CHOICE_PASS_DELAY = 20;

// One group of rendered lines (headers or options), freed together when the drawing is done.
// A line the font could not render is held as null and still takes its font's height.
struct RenderedLines {
    std::vector<SDL_Surface*> lines;
    int fontHeight = 0;

    RenderedLines() = default;
    RenderedLines(const RenderedLines&) = delete;
    RenderedLines& operator=(const RenderedLines&) = delete;
    ~RenderedLines() {
        for (SDL_Surface* line : lines) {
            SDL_FreeSurface(line);
        }
    }

    int Width(std::size_t i) const { return lines[i] != nullptr ? lines[i]->w : 0; }
    int Height(std::size_t i) const { return lines[i] != nullptr ? lines[i]->h : fontHeight; }
};

SDL_Surface* RenderLine(TTF_Font* font, const std::string& text, SDL_Color colour) {
    if (font == nullptr) {
        return nullptr;
    }
    return TTF_RenderText_Solid(font, text.c_str(), colour);
}

void SetColour(SDL_Color& colour, int r, int g, int b) {
    colour.r = static_cast<Uint8>(r);
    colour.g = static_cast<Uint8>(g);
    colour.b = static_cast<Uint8>(b);
}

// Blits the surface centred on the target, with truncating halves; a missing one shows nothing.
void BlitCentred(SDL_Surface* surface, SDL_Surface* target) {
    if (surface == nullptr) {
        return;
    }
    ZEM_BlitSurface(surface, nullptr, target, (target->w - surface->w) / 2,
                    (target->h - surface->h) / 2);
}

}  // namespace

ZemMenu::ZemMenu() : offColor{}, onColor{}, headerColor{}, choice(0) {
    Reset();
}

// The members go in reverse order of declaration: the options, then the headers.
ZemMenu::~ZemMenu() = default;

void ZemMenu::Reset() {
    ++revision;
    optionAreas.clear();
    options.clear();
    headers.clear();
    SetColour(onColor, DEFAULT_ON_COLOR.r, DEFAULT_ON_COLOR.g, DEFAULT_ON_COLOR.b);
    SetColour(offColor, DEFAULT_OFF_COLOR.r, DEFAULT_OFF_COLOR.g, DEFAULT_OFF_COLOR.b);
    SetColour(headerColor, DEFAULT_HEADER_COLOR.r, DEFAULT_HEADER_COLOR.g, DEFAULT_HEADER_COLOR.b);
    choice = 0;
}

void ZemMenu::AddHeader(const char* text) {
    ++revision;
    optionAreas.clear();
    headers.emplace_back(text != nullptr ? text : "");
}

void ZemMenu::AddHeader(std::string& text) {
    ++revision;
    optionAreas.clear();
    headers.push_back(text);
}

void ZemMenu::AddOption(const char* text) {
    ++revision;
    optionAreas.clear();
    options.emplace_back(text != nullptr ? text : "");
}

void ZemMenu::AddOption(std::string& text) {
    ++revision;
    optionAreas.clear();
    options.push_back(text);
}

void ZemMenu::SetOnColor(int r, int g, int b) {
    ++revision;
    SetColour(onColor, r, g, b);
}

void ZemMenu::SetOffColor(int r, int g, int b) {
    ++revision;
    SetColour(offColor, r, g, b);
}

void ZemMenu::SetHeaderColor(int r, int g, int b) {
    ++revision;
    SetColour(headerColor, r, g, b);
}

SDL_Surface* ZemMenu::Draw(TTF_Font* headerFont, TTF_Font* optionFont) {
    RenderedLines headerLines;
    RenderedLines optionLines;
    headerLines.fontHeight = headerFont != nullptr ? TTF_FontHeight(headerFont) : 0;
    optionLines.fontHeight = optionFont != nullptr ? TTF_FontHeight(optionFont) : 0;
    for (const std::string& text : headers) {
        headerLines.lines.push_back(RenderLine(headerFont, text, headerColor));
    }
    for (std::size_t i = 0; i < options.size(); ++i) {
        SDL_Color colour = static_cast<int>(i) == choice ? onColor : offColor;
        optionLines.lines.push_back(RenderLine(optionFont, options[i], colour));
    }

    int width = 0;
    int height = 0;
    for (const RenderedLines* group : {&headerLines, &optionLines}) {
        for (std::size_t i = 0; i < group->lines.size(); ++i) {
            width = std::max(width, group->Width(i));
            height += group->Height(i);
        }
    }

    SDL_Surface* block = ZEM_NewSurface(width, height);
    if (block == nullptr) {
        return nullptr;
    }
    // Headers from the top, options from the bottom up: with one font per group they meet
    // without a gap.
    for (std::size_t i = 0; i < headerLines.lines.size(); ++i) {
        int y = static_cast<int>(i) * headerLines.Height(i);
        ZEM_BlitSurface(headerLines.lines[i], nullptr, block, (width - headerLines.Width(i)) / 2,
                        y);
    }
    int optionCount = static_cast<int>(optionLines.lines.size());
    optionAreas.clear();
    for (int i = 0; i < optionCount; ++i) {
        int y = height - (optionCount - i) * optionLines.Height(i);
        ZEM_BlitSurface(optionLines.lines[i], nullptr, block, (width - optionLines.Width(i)) / 2,
                        y);
        optionAreas.push_back(ZEM_Rect(0, y, width, optionLines.Height(i)));
    }
    drawnWidth = width;
    drawnHeight = height;
    return block;
}

SDL_Rect ZemMenu::CentredArea(SDL_Surface* target, TTF_Font* headerFont, TTF_Font* optionFont) {
    SDL_Surface* block = Draw(headerFont, optionFont);
    if (block == nullptr) {
        return ZEM_Rect(0, 0, 0, 0);
    }
    const SDL_Rect area =
        ZEM_Rect((target->w - block->w) / 2, (target->h - block->h) / 2, block->w, block->h);
    SDL_FreeSurface(block);
    return area;
}

void ZemMenu::ShowCentred(SDL_Surface* target, TTF_Font* headerFont, TTF_Font* optionFont) {
    target = ZEM_DrawingSurface(target);
    SDL_Surface* block = Draw(headerFont, optionFont);
    BlitCentred(block, target);
    SDL_FreeSurface(block);
    ZEM_Flip(target);
}

void ZemMenu::ShowBoxed(SDL_Surface* target, TTF_Font* headerFont, TTF_Font* optionFont,
                        SDL_Surface* boxTexture) {
    target = ZEM_DrawingSurface(target);
    SDL_Surface* block = Draw(headerFont, optionFont);
    SDL_Surface* box = nullptr;
    if (block != nullptr) {
        box = ZEM_RenderBox(block->w + BOX_EXTRA_WIDTH, block->h + BOX_EXTRA_HEIGHT, BOX_TILE_SIZE,
                            boxTexture);
    }
    BlitCentred(box, target);
    BlitCentred(block, target);
    SDL_FreeSurface(block);
    SDL_FreeSurface(box);
    ZEM_Flip(target);
}

int ZemMenu::GetChoice(SDL_Event& event, SDL_Surface* target, TTF_Font* headerFont,
                       TTF_Font* optionFont, bool (*stopWaiting)()) {
    return ChoiceLoop(event, target, headerFont, optionFont, true, stopWaiting);
}

int ZemMenu::WaitForChoice(SDL_Event& event, SDL_Surface* target, TTF_Font* headerFont,
                           TTF_Font* optionFont, bool (*stopWaiting)()) {
    return ChoiceLoop(event, target, headerFont, optionFont, false, stopWaiting);
}

// Drawing the same lines at the same place again changes no pixel, and a new selection only
// recolours the same glyphs, so a still picture needs a redraw only when the menu changed.
int ZemMenu::ChoiceLoop(SDL_Event& event, SDL_Surface* target, TTF_Font* headerFont,
                        TTF_Font* optionFont, bool everyPass, bool (*stopWaiting)()) {
    bool drawn = false;
    unsigned drawnRevision = 0;
    unsigned drawnAge = 0;
    int result = -1;
    while (result == -1 && (stopWaiting == nullptr || !stopWaiting())) {
        result = AcceptChoice(event);
        if (everyPass || !drawn || drawnRevision != revision || drawnAge != ZEM_KeptPicturesAge()) {
            ShowCentred(target, headerFont, optionFont);
            drawn = true;
            drawnRevision = revision;
            drawnAge = ZEM_KeptPicturesAge();
        }
        ZEM_Delay(CHOICE_PASS_DELAY);
    }
    return result;
}

int ZemMenu::AcceptChoice(SDL_Event& event) {
    if (SDL_PollEvent(&event) == 0 || event.type != SDL_KEYDOWN) {
        return -1;
    }
    SDLKey key = event.key.keysym.sym;
    int lastOption = static_cast<int>(options.size()) - 1;
    if (key == SDLK_UP && choice > 0) {
        --choice;
        ++revision;
        ZEM_PlaySound(SOUND_MENU_MOVED);
    }
    if (key == SDLK_DOWN && choice < lastOption) {
        ++choice;
        ++revision;
        ZEM_PlaySound(SOUND_MENU_MOVED);
    }
    if (key == SDLK_RETURN) {
        ZEM_PlaySound(SOUND_OPTION_CHOSEN);
        return choice;
    }
    return -1;
}

int ZemMenu::OptionAt(int x, int y, int targetWidth, int targetHeight) const {
    // Centred with truncating halves, as BlitCentred puts the block.
    const int blockX = x - (targetWidth - drawnWidth) / 2;
    const int blockY = y - (targetHeight - drawnHeight) / 2;
    for (std::size_t i = 0; i < optionAreas.size(); ++i) {
        const SDL_Rect& area = optionAreas[i];
        if (blockX >= area.x && blockX < area.x + area.w && blockY >= area.y &&
            blockY < area.y + area.h) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ZemMenu::Select(int option) {
    if (option < 0 || option >= static_cast<int>(options.size()) || option == choice) {
        return;
    }
    choice = option;
    ++revision;
    ZEM_PlaySound(SOUND_MENU_MOVED);
}
