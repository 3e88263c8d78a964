#include "source_files.h"

namespace {

std::uint64_t EntrySize(const WIN32_FIND_DATAA& entry) {
    return (std::uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

}  // namespace

bool MeasureSourceFiles(std::uint64_t* totalBytes) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("*.*", &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    std::uint64_t total = EntrySize(entry);
    while (FindNextFileA(search, &entry)) total += EntrySize(entry);
    FindClose(search);
    *totalBytes = total;
    return true;
}

bool IsEligibleEntry(const WIN32_FIND_DATAA& entry) {
    const DWORD allowed = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL;  // 0xA1
    return (entry.dwFileAttributes & ~allowed) == 0;
}
