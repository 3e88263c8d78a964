// The slots of this test program's import address table, through which its
// code (the launcher's code linked in included) calls the system: a test may
// point one at a stand-in of its own, and back.
#pragma once

#include <windows.h>

#include <vector>

// The slots through which this program calls `name` of the system DLL `dll`.
std::vector<void**> ImportSlots(const char* dll, const char* name);
// The same for KERNEL32.
inline std::vector<void**> KernelImportSlots(const char* name) { return ImportSlots("KERNEL32.dll", name); }
// Points a slot at `function`.
void PointSlot(void** slot, void* function);
