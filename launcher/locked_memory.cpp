#include "locked_memory.h"

BYTE* LockOrFree(HGLOBAL memory) {
    BYTE* locked = static_cast<BYTE*>(GlobalLock(memory));
    if (locked == nullptr && memory != nullptr) GlobalFree(memory);
    return locked;
}

BYTE* AllocateLockedMemory(SIZE_T bytes) { return LockOrFree(GlobalAlloc(GMEM_MOVEABLE, bytes)); }

void FreeLockedMemory(BYTE** memory) {
    if (*memory == nullptr) return;
    HGLOBAL handle = GlobalHandle(*memory);
    GlobalUnlock(handle);
    GlobalFree(handle);
    *memory = nullptr;
}
