// Loads each planted name as any program does that leaves the DLL search path
// as Windows sets it (the program's own folder first): the control that shows
// the planted DLLs are found and leave their marker.
#include <windows.h>

#include "planted_dll_names.h"

int main() {
    for (const std::string& name : PlantedDllNames()) {
        HMODULE module = LoadLibraryA(name.c_str());
        if (module != nullptr) FreeLibrary(module);
    }
    return 0;
}
