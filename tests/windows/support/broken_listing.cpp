#include "broken_listing.h"

#include "import_slots.h"

namespace {

using FindNext = BOOL(WINAPI*)(HANDLE, LPWIN32_FIND_DATAA);

FindNext RealFindNext;
int EntriesLeft;
DWORD BreakError;
int BrokenCalls;

BOOL WINAPI FindNextThatBreaks(HANDLE search, LPWIN32_FIND_DATAA entry) {
    if (EntriesLeft == 0) {
        ++BrokenCalls;
        SetLastError(BreakError);
        return FALSE;
    }
    const BOOL found = RealFindNext(search, entry);
    if (found) --EntriesLeft;
    return found;
}

}  // namespace

BrokenListing::BrokenListing(int entriesBeforeTheBreak, DWORD error)
    : findNext_("KERNEL32.dll", "FindNextFileA", reinterpret_cast<void*>(FindNextThatBreaks)) {
    RealFindNext = findNext_.Real<FindNext>();
    EntriesLeft = entriesBeforeTheBreak;
    BreakError = error;
    BrokenCalls = 0;
}

int BrokenListing::FailedCalls() const { return BrokenCalls; }
