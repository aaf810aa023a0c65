#pragma once

#include <string>

// Saving the high score at the end of a game, when other copies of the game may be ending
// in the same folder: the higher score of this game and the stored file is kept.

// Takes the lock on the folder where the file lives (waiting a little while another copy
// holds it), clears away what killed writes left there, reads the stored score and writes
// the higher of the two. False when it could not be written, with errno saying why.
bool SaveHiScore(const std::string& fileName, int value);

// The same, and a line on standard error when the score could not be saved.
void SaveHiScoreOrSayWhy(const std::string& fileName, int value);
