// Moveable memory of GlobalAlloc, held locked from its making to its release:
// the picture's pixels and the copy's buffer.
#pragma once

#include <windows.h>

// Locks `memory`, or frees it when the lock fails, so that its handle is not
// lost. nullptr then, and when there is no memory (GlobalAlloc failed).
BYTE* LockOrFree(HGLOBAL memory);

// `bytes` of moveable memory, locked; nullptr when it can't be had.
BYTE* AllocateLockedMemory(SIZE_T bytes);

// Unlocks and frees memory of AllocateLockedMemory, if any; *memory becomes nullptr.
void FreeLockedMemory(BYTE** memory);
