// The free space of a drive.
#pragma once

#include <cstdint>

// Free bytes on the drive whose root is `root` ("X:\"). False when the drive
// can't be asked (no such drive, no medium). The figure is taken 64 bits wide:
// where Windows offers GetDiskFreeSpaceExA, from that, since the older call
// reports at most 2 GiB on some systems.
bool QueryFreeBytes(const char* root, std::uint64_t* freeBytes);
