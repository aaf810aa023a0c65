#include "framework/key_press.h"

void ZEM_PushKeyPress(SDLKey key) {
    SDL_Event press{};
    press.type = SDL_KEYDOWN;
    press.key.type = SDL_KEYDOWN;
    press.key.state = SDL_PRESSED;
    press.key.keysym.sym = key;
    SDL_PushEvent(&press);
}
