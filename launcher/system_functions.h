// Functions of the system DLLs that not every Windows the launcher runs on
// has, looked up at run time so that the executable imports only what Windows
// NT 3.51 and the first Windows 95 both have; and which family of Windows it
// runs on.
#pragma once

#include <windows.h>

// The function `name` of the loaded system DLL `dll`; nullptr when that
// Windows lacks it. One call for every look-up keeps the executable small.
FARPROC FindSystemProcedure(const char* dll, const char* name);

// The same as the given pointer type.
template <typename Function>
Function FindSystemFunction(const char* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(FindSystemProcedure(dll, name)));
}

// Loads the system DLL `dll` (a name such as "shell32.dll") by its full path
// in the system directory: a DLL of that name beside the program is never the
// one loaded. It stays loaded; on failure nothing is loaded.
void LoadSystemLibrary(const char* dll);

// True on the NT family, from GetVersion's result: the 95 family (and Win32s)
// set its high bit.
inline bool IsNtFamily(DWORD version) { return (version & 0x80000000) == 0; }
