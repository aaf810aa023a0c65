#pragma once

#include "SDL.h"
#include "SDL_ttf.h"
#include "framework/menu.h"
#include "framework/timer.h"
#include "things/ball.h"
#include "things/paddle.h"

// Program-wide variables shared by the shell and both games. Each game keeps its own game
// variables (scores, bricks, the second paddle) in its own folder.

extern SDL_Surface* screen;      // the window; SDL's, never freed by us
extern SDL_Surface* background;  // "background640.jpg"
extern SDL_Surface* message;     // a rendered line of text, freed right after drawing
extern SDL_Surface* menuBox;     // "menubox.bmp", the menu box texture
extern TTF_Font* impactFont1;    // "impact.ttf" at 50 points
extern TTF_Font* impactFont2;    // "impact.ttf" at 70 points
extern TTF_Font* arialFont1;     // "arial.ttf" at 14 points
extern SDL_Event event;          // every state polls into this one record
extern ZemTimer timer;           // the game clock; paused only by the pause screen
extern Uint32 lastFrame;         // timer reading at the end of the previous pass
extern ZemMenu* menu;            // the one menu, refilled by every screen
extern Ball theBall;
extern Paddle myPaddle;  // the bottom paddle
extern int hiScore;
extern SDL_Color textColor2;  // grey of the text lines on the play screens
