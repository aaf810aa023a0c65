#pragma once

// Whether a data file's name leads (through any links) to an ordinary file. The games read
// only such files: a named pipe under that name would hold the game up until something
// writes into it, and a device could feed it without end.
bool ZEM_IsPlainFile(const char* fileName);
