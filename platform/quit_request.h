#pragma once

// Interrupt (Ctrl+C), terminate (a logout or shutdown) and hang-up (a closed terminal) end
// the program the way "Quit" does, on every screen: the main loop ends after its pass and the
// high score is written. The window's close request is another thing: only play acts on it.

// Takes over the three signals. Called before SDL starts, which then leaves them alone
// instead of turning them into close requests.
void CatchQuitSignals();

// Whether one of the signals came. A screen that waits for a key stops waiting when it did.
bool QuitRequested();

// Whether a signal came, forgetting it: the main loop then empties the state stack, so that
// it ends after this pass.
bool TakeQuitRequest();
