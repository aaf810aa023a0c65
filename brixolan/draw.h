#pragma once

// Paints one whole frame of the playfield on the screen and shows it.
void DrawGame();

// CapFrameRate, which paces every pass of the main loop, is declared with the rest of what
// the game supplies to the shell (shell/game_supplies.h).
