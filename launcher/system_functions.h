// Functions of the system DLLs that not every Windows the launcher runs on
// has, looked up at run time so that the executable imports only what Windows
// NT 3.51 and the first Windows 95 both have; and which family of Windows it
// runs on.
#pragma once

#include <windows.h>

// The function `name` of the loaded system DLL `dll`, as the given pointer
// type; nullptr when that Windows lacks it.
template <typename Function>
Function FindSystemFunction(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// True on the NT family, from GetVersion's result: the 95 family (and Win32s)
// set its high bit.
inline bool IsNtFamily(DWORD version) { return (version & 0x80000000) == 0; }
