// The source files: the entries of the current directory.
#pragma once

#include <windows.h>

#include <cstdint>

// Sums the sizes of every entry that a search for "*.*" yields, ".", "..",
// subdirectories, hidden and system files alike. False when it yields none.
bool MeasureSourceFiles(std::uint64_t* totalBytes);

// Only entries with no attribute but read-only, archive and normal are copied.
bool IsEligibleEntry(const WIN32_FIND_DATAA& entry);
