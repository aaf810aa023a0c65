#pragma once

#include <string>
#include <vector>

#include "SDL.h"
#include "SDL_ttf.h"

// The text menu: header lines above option lines, one option selected. Each screen refills
// the one menu object (Reset, colours, lines), then shows it and turns keys into a choice.
// In every call taking two fonts, the first is for the headers, the second for the options.
class ZemMenu {
public:
    ZemMenu();
    ~ZemMenu();

    void Reset();
    void AddHeader(const char* text);
    void AddHeader(std::string& text);
    void AddOption(const char* text);
    void AddOption(std::string& text);
    void SetOnColor(int r, int g, int b);
    void SetOffColor(int r, int g, int b);
    void SetHeaderColor(int r, int g, int b);

    // The whole block on a new transparent surface owned by the caller (null if none can be
    // made; 0 x 0 for a menu without lines). A line the font can't render is left blank at its
    // font's height.
    SDL_Surface* Draw(TTF_Font* headerFont, TTF_Font* optionFont);
    // The part of the target that ShowCentred draws on (empty when there is nothing to show).
    SDL_Rect CentredArea(SDL_Surface* target, TTF_Font* headerFont, TTF_Font* optionFont);
    void ShowCentred(SDL_Surface* target, TTF_Font* headerFont, TTF_Font* optionFont);
    void ShowBoxed(SDL_Surface* target, TTF_Font* headerFont, TTF_Font* optionFont,
                   SDL_Surface* boxTexture);

    // Goes up whenever the lines, colours or selection change, so that a picture kept of
    // the menu knows when it no longer shows it.
    unsigned Revision() const { return revision; }

    // Blocks, redrawing every 20 ms, until Enter confirms an option; returns its index.
    // With stopWaiting given, also gives up with -1 as soon as it returns true.
    int GetChoice(SDL_Event& event, SDL_Surface* target, TTF_Font* headerFont, TTF_Font* optionFont,
                  bool (*stopWaiting)() = nullptr);
    // The same for a menu over a picture that stands still meanwhile: it looks for a key
    // every 20 ms but draws and presents only when the menu changed (or the kept pictures
    // were forgotten), which gives the same pixels for nothing.
    int WaitForChoice(SDL_Event& event, SDL_Surface* target, TTF_Font* headerFont,
                      TTF_Font* optionFont, bool (*stopWaiting)() = nullptr);
    // Handles at most one queued event: the confirmed option's index, or -1.
    int AcceptChoice(SDL_Event& event);

    // The option whose line lies under this point of a target the menu was last drawn
    // centred on, of this size (every screen centres its menu): -1 for none, and for a menu
    // changed since it was drawn. A line takes the block's whole width.
    int OptionAt(int x, int y, int targetWidth, int targetHeight) const;
    // Selects this option, with the tick the keys give; an option already selected, or none
    // (-1 or out of range), changes nothing.
    void Select(int option);

private:
    int ChoiceLoop(SDL_Event& event, SDL_Surface* target, TTF_Font* headerFont,
                   TTF_Font* optionFont, bool everyPass, bool (*stopWaiting)());

    std::vector<std::string> headers;
    std::vector<std::string> options;
    SDL_Color offColor;
    SDL_Color onColor;
    SDL_Color headerColor;
    int choice;
    unsigned revision = 0;
    // Where the last drawing put the block and each option's line in it (empty until then).
    int drawnWidth = 0;
    int drawnHeight = 0;
    std::vector<SDL_Rect> optionAreas;
};
