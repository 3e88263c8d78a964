#include "placement.h"

#include "shared_state.h"

void PlaceInstallDialog(HWND dialog) {
    RECT outer;
    GetWindowRect(dialog, &outer);
    const LONG width = outer.right - outer.left + 1;
    const LONG height = outer.bottom - outer.top + 1;
    SetWindowPos(dialog, nullptr, (ScreenRect.right - width) / 2, (ScreenRect.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}
