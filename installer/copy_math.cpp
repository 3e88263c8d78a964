#include "copy_math.h"

SizeTextFigures ComputeSizeTextFigures(std::uint64_t requiredBytes) {
    const std::uint64_t tenths = requiredBytes / kSizeTextTenthBytes;
    return SizeTextFigures{static_cast<std::uint32_t>(tenths / 10), static_cast<std::uint32_t>(tenths % 10)};
}

std::uint32_t ComputeProgressWidth(std::uint32_t frameWidth, std::uint64_t copiedBytes,
                                   std::uint64_t requiredBytes) {
    if (frameWidth < 2) return 0;
    const std::uint64_t fullWidth = frameWidth - 2;
    std::uint64_t copied = copiedBytes;
    std::uint64_t required = requiredBytes;
    if (required >= 65536) {
        // Whole units of 65,536 bytes keep the product small.
        copied >>= 16;
        required >>= 16;
    }
    if (required == 0) return copied > 0 ? static_cast<std::uint32_t>(fullWidth) : 0;
    if (copied >= required) return static_cast<std::uint32_t>(fullWidth);
    return static_cast<std::uint32_t>(fullWidth * copied / required);
}

bool HasRoomFor(std::uint64_t freeBytes, std::uint64_t requiredBytes) { return freeBytes >= requiredBytes; }

std::uint64_t ComputeFreeBytes(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector,
                               std::uint32_t freeClusters) {
    return std::uint64_t(sectorsPerCluster) * bytesPerSector * freeClusters;
}
