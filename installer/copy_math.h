// The installer's figures: the size text, the progress bar's width and the
// drive's free space.
// Free of windows.h so it builds and is tested natively.
#pragma once

#include <cstdint>

// One tenth of the size text's unit is 97,280 bytes (95 x 1024).
constexpr std::uint32_t kSizeTextTenthBytes = 97280;

struct SizeTextFigures {
    std::uint32_t whole;   // shown with %3d: the unit count
    std::uint32_t tenth;   // shown with %1d: the digit after the point
};

// The two numbers of the size text, truncated, never rounded up. The total is
// 64 bits wide so that sources of 4 GiB or more show their true size.
SizeTextFigures ComputeSizeTextFigures(std::uint64_t requiredBytes);

// Width of the green bar inside a frame whose client width is frameWidth: the
// bar is drawn one pixel inside the frame, so its full width is frameWidth - 2.
// Above 65,535 bytes both counts are taken in whole units of 65,536 bytes.
// Never divides by zero and never exceeds frameWidth - 2, even when more was
// copied than was required (a source that grew after it was measured).
std::uint32_t ComputeProgressWidth(std::uint32_t frameWidth, std::uint64_t copiedBytes,
                                   std::uint64_t requiredBytes);

// True when a drive with freeBytes free can take requiredBytes: exactly
// enough is enough.
bool HasRoomFor(std::uint64_t freeBytes, std::uint64_t requiredBytes);

// Free space in bytes from the drive's geometry, without overflow.
std::uint64_t ComputeFreeBytes(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector,
                               std::uint32_t freeClusters);
