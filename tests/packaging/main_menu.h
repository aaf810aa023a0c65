#pragma once

#include "tests/e2e/harness.h"

// The main menu as both games open it: the caption in blue, "Play" in red and, below it,
// "Help" and "Quit" in grey.
bool ShowsMainMenu(const Screenshot& shot);
