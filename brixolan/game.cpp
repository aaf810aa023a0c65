#include "brixolan/game.h"

#include "brixolan/constants.h"
#include "shell/game_supplies.h"
#include "things/paddle.h"

std::vector<Brick> theBricks;
int score = 0;
int lives = 0;
int level = 1;

const char* const GAME_CAPTION = "Zem Brixolan";
const std::vector<const char*> HELP_LINES = {"Cursor keys  =  Bottom Paddle", "      P  =  Pause"};
// The play screen is redrawn from scratch every frame, so nothing needs saving.
const bool PAUSE_SAVES_SCREEN = false;

int Paddle::speedLimit = PADDLE_SPEED_LIMIT;
