// Administrator rights for Install and Uninstall only. On Windows Vista and
// later the launcher runs with the player's own rights, and the work that
// changes the machine runs in a copy of it that Windows starts elevated.
#pragma once

#include <windows.h>

#include "elevated_copy.h"

// True when this process can do the work itself: its token is elevated, or
// can't say so, as on every Windows before Vista, where a process has all of
// its account's rights.
bool CanWorkInThisProcess();

// Starts this program elevated for `action`, its dialogs owned by `window`,
// and waits until it ends, with `window` disabled but painting; `window`
// stays disabled then, until ReturnFromElevatedCopy. False when the copy did
// not start: silently when the player declined Windows' question, else after
// saying so; `window` is enabled again then.
bool RunElevatedCopy(HWND window, ElevatedAction action);

// Enables `window` again and brings it to the front, once it shows what the
// copy did.
void ReturnFromElevatedCopy(HWND window);
