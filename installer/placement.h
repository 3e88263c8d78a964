// Placement of the install dialogs.
#pragma once

#include <windows.h>

// Centres an install dialog on the screen, counting its extents one pixel
// larger than its rectangle; size and z-order stay.
void PlaceInstallDialog(HWND dialog);
