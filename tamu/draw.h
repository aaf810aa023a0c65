#pragma once

namespace tamu {

// Drawing of the duel. The playfield is painted once per duel; each frame only the score
// lines and the walls under them are redrawn, and the ball and paddles erase themselves by
// putting back the piece of screen they covered.

// A new duel's playfield: the background and all four walls, the only time in a duel they
// are painted whole.
void PaintPlayfield();

// Brings the screen up to date at the end of a frame of play and shows it.
void DrawGame();

}  // namespace tamu
