#pragma once

namespace brixolan {

// Paints one whole frame of the playfield on the screen and shows it.
void DrawGame();

}  // namespace brixolan
