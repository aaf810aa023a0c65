#include "tamu/game.h"

#include "shell/game_supplies.h"
#include "tamu/constants.h"

Paddle otherPaddle;
int myScore = 0;
int otherScore = 0;

const char* const GAME_CAPTION = "Zem Tamu";
const std::vector<const char*> HELP_LINES = {"Cursor keys  =  Bottom Paddle",
                                             "Z and X  =  Top Paddle", "      P  =  Pause"};
// The playfield is painted once per duel and never cleared, so the pause menu must not be
// left on it.
const bool PAUSE_SAVES_SCREEN = true;

int Paddle::speedLimit = PADDLE_SPEED_LIMIT;
