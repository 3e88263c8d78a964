// Whole-file reads and writes that never leave a half-written output behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes; throws std::runtime_error when it cannot be read.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Writes the bytes under a temporary name beside `path`, then renames it into
// place, so `path` either gets the complete bytes or is left as it was.
// Throws std::runtime_error on failure, after removing the temporary file.
void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);
