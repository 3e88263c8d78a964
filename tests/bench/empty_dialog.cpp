// An empty modal dialog, the launcher's main window frame without picture,
// palette, buttons or install record: what any dialog program costs to start
// under the same Wine, the reference for the launcher's start-up.
#include <windows.h>

namespace {

// The close command arrives as IDCANCEL.
INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return 1;
    if (message != WM_COMMAND || LOWORD(wParam) != IDCANCEL) return 0;
    EndDialog(dialog, 0);
    return 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    DialogBoxParamA(instance, "EMPTY", nullptr, EmptyDialogProc, 0);
    return 0;
}
