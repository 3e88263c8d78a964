#include "system_functions.h"

#include "shared_state.h"
#include "text_join.h"

FARPROC FindSystemProcedure(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    return module == nullptr ? nullptr : GetProcAddress(module, name);
}

void LoadSystemLibrary(const char* dll) {
    char directory[kPathCapacity];
    const UINT length = GetSystemDirectoryA(directory, kPathCapacity);
    char path[kPathCapacity];
    if (length != 0 && length < kPathCapacity && JoinText(path, sizeof path, {directory, "\\", dll}))
        LoadLibraryA(path);
}
