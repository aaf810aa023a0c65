#pragma once

namespace tamu {

// Drawing of the duel. The playfield is painted once per duel; each frame only the score
// lines and the walls under them are redrawn, and the ball and paddles erase themselves by
// putting back the piece of screen they covered.

// Brings the screen up to date at the end of a frame of play and shows it.
void DrawGame();

}  // namespace tamu
