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

BrokenListing::BrokenListing(int entriesBeforeTheBreak, DWORD error) : slots_(KernelImportSlots("FindNextFileA")) {
    if (slots_.empty()) return;
    RealFindNext = reinterpret_cast<FindNext>(*slots_.front());
    EntriesLeft = entriesBeforeTheBreak;
    BreakError = error;
    BrokenCalls = 0;
    for (void** slot : slots_) PointSlot(slot, reinterpret_cast<void*>(FindNextThatBreaks));
}

BrokenListing::~BrokenListing() {
    for (void** slot : slots_) PointSlot(slot, reinterpret_cast<void*>(RealFindNext));
}

int BrokenListing::FailedCalls() const { return BrokenCalls; }
