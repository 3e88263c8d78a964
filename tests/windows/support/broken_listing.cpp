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

HANDLE WINAPI FindFirstThatFails(LPCSTR, LPWIN32_FIND_DATAA) {
    ++BrokenCalls;
    SetLastError(BreakError);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

BrokenListing::BrokenListing(int entriesBeforeTheBreak, DWORD error)
    : slots_(KernelImportSlots(entriesBeforeTheBreak == kAtTheStart ? "FindFirstFileA" : "FindNextFileA")) {
    if (slots_.empty()) return;
    real_ = *slots_.front();
    RealFindNext = reinterpret_cast<FindNext>(real_);
    EntriesLeft = entriesBeforeTheBreak;
    BreakError = error;
    BrokenCalls = 0;
    const bool atTheStart = entriesBeforeTheBreak == kAtTheStart;
    void* standIn = atTheStart ? reinterpret_cast<void*>(FindFirstThatFails) : reinterpret_cast<void*>(FindNextThatBreaks);
    for (void** slot : slots_) PointSlot(slot, standIn);
}

BrokenListing::~BrokenListing() {
    for (void** slot : slots_) PointSlot(slot, real_);
}

int BrokenListing::FailedCalls() const { return BrokenCalls; }
