// A directory listing that breaks in the middle, as one over a network share
// that drops, or from a scratched disc, does. Wine reads a directory whole
// when its search starts, so no real file system makes FindNextFileA fail
// after that; the break is made here instead.
#pragma once

#include <windows.h>

#include "import_slots.h"

// While one lives, this program's calls of FindNextFileA give at most
// `entriesBeforeTheBreak` more entries, then fail with `error` every time.
// Its import of FindNextFileA is pointed at a stand-in, so the launcher's
// code linked into the test meets the break unchanged.
class BrokenListing {
public:
    BrokenListing(int entriesBeforeTheBreak, DWORD error);
    BrokenListing(const BrokenListing&) = delete;
    BrokenListing& operator=(const BrokenListing&) = delete;

    // The calls that met the break.
    int FailedCalls() const;

private:
    StandIn findNext_;
};
