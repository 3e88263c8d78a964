// Uninstall, and the removal of an installation directory.
#pragma once

#include <windows.h>

// Asks first; on Yes removes the directory, names it when it stays, and
// deletes the record. Returns 1 once the record is gone; 0 when the user
// declines, with nothing touched, or when the record stays, which is said.
int RunUninstall(HWND owner);
// The question alone: true on Yes.
bool AskUninstall(HWND owner);
// The work alone, for a launcher that asked already: 1 once the record is
// gone, else 0.
int UninstallWithoutAsking(HWND owner);

// Deletes the plain files directly inside InstalledDir, then the directory,
// in one pass. Touches nothing unless InstalledDir names a directory below a
// drive's root. True when no directory is left at InstalledDir, or only one
// that Windows deletes, with the running launcher in it, when it next starts.
bool RemoveInstallDirectory();

// Tells the player that the directory InstalledDir stays, and where it is.
void ReportDirectoryLeft(HWND owner);
