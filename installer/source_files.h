// The source files: the entries of the current directory.
#pragma once

#include <windows.h>

#include <cstdint>

// How a listing of the directory goes on from one entry to the next.
enum class ListingStep {
    kEntry,   // the next entry is in the find record
    kEnd,     // there are no more entries: the listing is whole
    kBroken,  // the listing failed before its end: a share that dropped, a disc that can't be read
};

// Starts a search for "*.*" in the current directory: kEntry with the first
// entry in the find record and the search in *search; kEnd for a folder with
// no entry at all; kBroken when the folder can't be listed (a share that is
// gone, access denied, a medium pulled out). *search is set only with kEntry.
ListingStep StartSourceListing(HANDLE* search, WIN32_FIND_DATAA* entry);

// Moves the search on to its next entry. Only "no more files" ends a
// listing; any other failure breaks it.
ListingStep NextSourceEntry(HANDLE search, WIN32_FIND_DATAA* entry);

// What the size count came to: the total, no entry at all, or a listing that
// could not start or broke before its end.
enum class SourceMeasure { kMeasured, kNoEntry, kBroken };

// Sums the sizes of every entry that a search for "*.*" yields, ".", "..",
// subdirectories, hidden and system files alike. *totalBytes is set only
// when the whole listing was measured.
SourceMeasure MeasureSourceFiles(std::uint64_t* totalBytes);

// A plain file of the folder is copied, whatever else its attributes say:
// not a directory, not hidden, not system, not a volume label nor a device.
bool IsEligibleEntry(const WIN32_FIND_DATAA& entry);
