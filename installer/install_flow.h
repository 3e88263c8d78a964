// The install flow: choose the directory, copy, then record or take away.
#pragma once

#include <windows.h>

// Returns 1 when the demo is installed now, 0 otherwise.
int RunInstall(HWND owner);
