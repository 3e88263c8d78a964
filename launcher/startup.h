// Start-up and release of the launcher's shared state around the main window.
#pragma once

#include <windows.h>

// How start-up ended; decides the one message shown at the end.
enum StartupOutcome { kOutcomeFailed = 0, kOutcomeUnsupportedVersion = 1, kOutcomeRan = 2 };

// True for Windows 3.51 and later, from GetVersion's result.
bool IsWindowsVersionSupported(DWORD version);

// The whole life of the program: loads the texts and the picture from
// `resources`, runs the main window, reports a failure, releases everything.
// Returns how it ended. With the arguments of an elevated copy, it runs that
// copy's action in place of the main window.
StartupOutcome RunLauncher(HINSTANCE resources, const char* arguments = "");

// Keeps later DLL loads to the system directory where Windows offers that, so
// a DLL planted beside the program is never loaded.
void RestrictDllSearchPath();
