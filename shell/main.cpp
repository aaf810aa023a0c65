#include "SDL.h"
#include "shell/startup.h"

// Where SDL renames main to SDL_main, its own entry code calls SDL_main; elsewhere (Linux)
// this is the entry.
#if !defined(main)
int main(int argc, char* argv[]) {
    return SDL_main(argc, argv);
}
#endif
