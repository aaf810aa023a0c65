#include "SDL.h"
#include "brixolan/game.h"

extern "C" int SDL_main(int argc, char* argv[]) {
    return ZEM_RunGame(brixolan::GAME, argc, argv);
}
