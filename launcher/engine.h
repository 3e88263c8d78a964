// Starting the game engine KVE.EXE.
#pragma once

#include <windows.h>

// Starts the engine from the installation directory when installed, else
// from the current directory, with the launcher's environment and current
// directory; reports a failure in a plain box owned by `owner`.
void StartEngine(HWND owner);
