#include "SDL.h"
#include "tamu/game.h"

extern "C" int SDL_main(int argc, char* argv[]) {
    return ZEM_RunGame(tamu::GAME, argc, argv);
}
