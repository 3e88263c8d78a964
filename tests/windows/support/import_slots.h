// The slots of this test program's import address table, through which its
// code (the launcher's code linked in included) calls the system: a test may
// point one at a stand-in of its own, and back.
#pragma once

#include <windows.h>

#include <vector>

// The slots through which this program calls `name` of KERNEL32.
std::vector<void**> KernelImportSlots(const char* name);
// Points a slot at `function`.
void PointSlot(void** slot, void* function);
