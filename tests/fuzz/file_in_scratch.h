#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The games read their files by bare name from the working directory, so each fuzz target
// works in a private scratch folder of its own and writes every input there under the name
// the game looks for.

// Makes the scratch folder the working directory; removed again when the process ends.
void EnterScratchFolder();

// Replaces the named file in the scratch folder with exactly these bytes.
void WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size);
