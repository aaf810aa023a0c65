#include "tamu/game.h"

#include "tamu/constants.h"
#include "tamu/linked_duel.h"

namespace tamu {

Paddle otherPaddle;
int myScore = 0;
int otherScore = 0;

const ZemGame GAME = {
    "Zem Tamu",
    {"Cursor keys  =  Bottom Paddle", "Z and X  =  Top Paddle", "      P  =  Pause"},
    // The playfield is painted once per duel and never cleared, so the pause menu must not
    // be left on it.
    true,
    PADDLE_SPEED_LIMIT,
    PrePlay,
    PlayState,
    CapFrameRate,
    false,
    true,
    true,
    OpenDuelLink,
    ServeDuelLink,
    DuelLinkLine,
    MayStartDuel,
};

}  // namespace tamu
