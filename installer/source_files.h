// The source files: the entries of the current directory.
#pragma once

#include <windows.h>

#include <cstdint>

// Sums the sizes of every entry that a search for "*.*" yields, ".", "..",
// subdirectories, hidden and system files alike. False when it yields none.
bool MeasureSourceFiles(std::uint64_t* totalBytes);

// A plain file of the folder is copied, whatever else its attributes say:
// not a directory, not hidden, not system, not a volume label nor a device.
bool IsEligibleEntry(const WIN32_FIND_DATAA& entry);
