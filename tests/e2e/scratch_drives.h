// The small drives that drives.sh maps into the Wine prefix (tmpfs file
// systems, mounted as root), known by their letter and exact size so that no
// other drive is ever taken for one of them.
#pragma once

#include <cstdint>
#include <string>

struct ScratchDrive {
    char letter;
    std::uint64_t totalBytes;  // as drives.sh mounts it
    const char* what;          // for the reason of a skip
};

constexpr std::uint64_t kMebibyte = 1024 * 1024;
// Full at 4 MiB: a source of more is refused, a growing one fills it.
constexpr ScratchDrive kSmallDrive{'R', 4 * kMebibyte, "a 4 MiB drive"};
// Room for its root and three entries: the install directory and two files.
constexpr ScratchDrive kFewEntriesDrive{'S', 6 * kMebibyte, "a drive with four inodes"};
// Spare: a drive whose root may be planted on.
constexpr ScratchDrive kSpareDrive{'T', 2 * kMebibyte, "a spare 2 MiB drive"};

// "R:\".
std::string RootOf(const ScratchDrive& drive);
// True when the letter names a drive of exactly that size.
bool IsMapped(const ScratchDrive& drive);
// Why a scenario that needs the drive skips.
std::string NotMappedReason(const ScratchDrive& drive);
// Removes everything at the drive's root.
void EmptyDrive(const ScratchDrive& drive);
