#include "source_files.h"

namespace {

// The volume label's bit of MS-DOS, which Windows' headers no longer name.
constexpr DWORD kVolumeLabel = 0x08;

std::uint64_t EntrySize(const WIN32_FIND_DATAA& entry) {
    return (std::uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

}  // namespace

// Only "not found" and "no more files" say that the folder holds nothing: the
// root of an empty disc lists no "." either. Any other failure is a folder
// that could not be read, and its files would be missing.
ListingStep StartSourceListing(HANDLE* search, WIN32_FIND_DATAA* entry) {
    HANDLE started = FindFirstFileA("*.*", entry);
    if (started != INVALID_HANDLE_VALUE) {
        *search = started;
        return ListingStep::kEntry;
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? ListingStep::kEnd : ListingStep::kBroken;
}

ListingStep NextSourceEntry(HANDLE search, WIN32_FIND_DATAA* entry) {
    if (FindNextFileA(search, entry)) return ListingStep::kEntry;
    return GetLastError() == ERROR_NO_MORE_FILES ? ListingStep::kEnd : ListingStep::kBroken;
}

SourceMeasure MeasureSourceFiles(std::uint64_t* totalBytes) {
    WIN32_FIND_DATAA entry;
    HANDLE search = nullptr;
    const ListingStep start = StartSourceListing(&search, &entry);
    if (start == ListingStep::kEnd) return SourceMeasure::kNoEntry;
    if (start == ListingStep::kBroken) return SourceMeasure::kBroken;
    std::uint64_t total = EntrySize(entry);
    ListingStep step = NextSourceEntry(search, &entry);
    while (step == ListingStep::kEntry) {
        total += EntrySize(entry);
        step = NextSourceEntry(search, &entry);
    }
    FindClose(search);
    if (step == ListingStep::kBroken) return SourceMeasure::kBroken;
    *totalBytes = total;
    return SourceMeasure::kMeasured;
}

// Windows sets further bits on ordinary files (compressed, not indexed,
// encrypted, sparse, temporary, offline, held in the cloud); none of them
// makes a file less the demo's.
bool IsEligibleEntry(const WIN32_FIND_DATAA& entry) {
    const DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeLabel |
                           FILE_ATTRIBUTE_DEVICE;  // 0x5E
    return (entry.dwFileAttributes & notPlain) == 0;
}
