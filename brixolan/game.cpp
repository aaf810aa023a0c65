#include "brixolan/game.h"

#include "brixolan/constants.h"

namespace brixolan {

std::vector<Brick> theBricks;
int score = 0;
int lives = 0;
int level = 1;

const ZemGame GAME = {
    "Zem Brixolan",
    {"Cursor keys  =  Bottom Paddle", "      P  =  Pause"},
    // The play screen is redrawn from scratch every frame, so nothing needs saving.
    false,
    PADDLE_SPEED_LIMIT,
    PrePlay,
    PlayState,
    CapFrameRate,
    true,
};

}  // namespace brixolan
