#pragma once

// The one queued event a frame of play takes, the same in both games: a quit request empties
// the state stack (the program ends after this pass), P or Escape pushes the pause screen,
// anything else is dropped. Either way the rest of the frame is still played and drawn.
// True when it pushed the pause screen.
bool TakePlayEvent();
