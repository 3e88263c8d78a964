// One step of the copy: one block read from the source file and written to
// the installed copy. Free of windows.h so it builds and is tested natively;
// the copy dialog passes _lread and _lwrite.
#pragma once

#include <cstdint>

// The copy moves its files in blocks of 64 KiB, one block a step.
constexpr std::uint32_t kCopyBlockBytes = 65536;

// What _lread and _lwrite return when they fail (HFILE_ERROR as a count).
constexpr std::uint32_t kTransferFailed = 0xFFFFFFFFu;

enum class BlockOutcome {
    kCopied,    // a block was written whole; the file goes on
    kFileDone,  // the source had no bytes left
    kFailed,    // a read or a write failed
};

// Reads up to one block into `buffer` with read(buffer, capacity) and writes
// what came with write(buffer, count); both return the bytes they moved, or
// kTransferFailed. A write that takes fewer bytes than it was given fails
// too: a shortened file must not count as installed. The bytes written are
// added to *copiedBytes.
template <typename Read, typename Write>
BlockOutcome CopyOneBlock(std::uint8_t* buffer, Read read, Write write, std::uint64_t* copiedBytes) {
    const std::uint32_t count = read(buffer, kCopyBlockBytes);
    if (count == kTransferFailed) return BlockOutcome::kFailed;
    if (count == 0) return BlockOutcome::kFileDone;
    if (write(buffer, count) != count) return BlockOutcome::kFailed;
    *copiedBytes += count;
    return BlockOutcome::kCopied;
}
