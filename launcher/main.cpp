// The program's entry point: everything else lives in the product library.
#include <windows.h>

#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    RestrictDllSearchPath();
    RunLauncher(instance, arguments);
    return 0;
}
