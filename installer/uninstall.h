// Uninstall, and the removal of an installation directory.
#pragma once

#include <windows.h>

// Asks first; on Yes removes the directory and the record and returns 1.
// Returns 0 when the user declines, with nothing touched.
int RunUninstall(HWND owner);
// The question alone: true on Yes.
bool AskUninstall(HWND owner);
// The work alone, for a launcher that asked already: returns 1.
int UninstallWithoutAsking(HWND owner);

// Deletes the plain files directly inside InstalledDir, then the directory,
// in one pass; failures are ignored. Touches nothing unless InstalledDir names
// a directory below a drive's root.
void RemoveInstallDirectory();
