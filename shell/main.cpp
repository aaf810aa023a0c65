#include "SDL.h"

// Each program's entry: it hands its game to ZEM_RunGame (shell/game.h).
extern "C" int SDL_main(int argc, char* argv[]);

// Where SDL renames main to SDL_main, its own entry code calls SDL_main; elsewhere (Linux)
// this is the entry.
#if !defined(main)
int main(int argc, char* argv[]) {
    return SDL_main(argc, argv);
}
#endif
