#pragma once

namespace brixolan {

// The screen after the last level: every level is cleared, with the score so far. Enter goes
// back to play, which has already loaded the first level again.
void AllClearedState();

}  // namespace brixolan
