#include "shell/globals.h"

#include "shell/game.h"

// The objects with constructors are defined in the order they are built in: the clock, then
// the ball and the paddle. Each game defines its own game variables after these.
ZemTimer timer;
Ball theBall;
Paddle myPaddle;

SDL_Surface* screen = nullptr;
SDL_Surface* background = nullptr;
SDL_Surface* message = nullptr;
SDL_Surface* menuBox = nullptr;
TTF_Font* impactFont1 = nullptr;
TTF_Font* impactFont2 = nullptr;
TTF_Font* arialFont1 = nullptr;
SDL_Event event;
Uint32 lastFrame = 0;
ZemMenu* menu = nullptr;
int hiScore = 0;
SDL_Color textColor2 = {125, 125, 125, 0};
const ZemGame* game = nullptr;
