// The main window: the picture with its palette, and the three buttons.
#include "dialog_procs.h"
#include "display_texts.h"
#include "elevation.h"
#include "engine.h"
#include "install_flow.h"
#include "install_record.h"
#include "resource_ids.h"
#include "shared_state.h"
#include "uninstall.h"

namespace {

const char kInstallLabel[] = "インストール(&I)";
const char kUninstallLabel[] = "アンインストール(&U)";

// The outer rectangle, frame and caption included, is centred on the screen.
void CentreMainWindow(HWND dialog) {
    RECT outer;
    GetWindowRect(dialog, &outer);
    const LONG width = outer.right - outer.left;
    const LONG height = outer.bottom - outer.top;
    SetWindowPos(dialog, nullptr, (ScreenRect.right - width) / 2, (ScreenRect.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

void OnInitDialog(HWND dialog) {
    UseDialogFont(dialog);
    if (IsInstalled != 0) ShowControlText(dialog, IDC_INSTALL, kUninstallLabel);
    ShowCaption(dialog);
    CentreMainWindow(dialog);
}

// The central part of the picture, unscaled: with an odd difference the extra
// column is hidden at the right and the extra row at the top.
void OnPaint(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    SelectPalette(dc, BackPalette, FALSE);
    RealizePalette(dc);
    RECT client;
    GetClientRect(dialog, &client);
    const LONG xSource = (BackInfo.bmiHeader.biWidth - client.right) / 2;
    const LONG ySource = (BackInfo.bmiHeader.biHeight - client.bottom) / 2;
    StretchDIBits(dc, 0, 0, client.right, client.bottom, xSource, ySource, client.right, client.bottom, BackBits,
                  reinterpret_cast<const BITMAPINFO*>(&BackInfo), DIB_RGB_COLORS, SRCCOPY);
    EndPaint(dialog, &paint);
}

// Realises the palette and repaints only when a mapping changed.
void OnQueryNewPalette(HWND dialog) {
    HDC dc = GetDC(dialog);
    HPALETTE previous = SelectPalette(dc, BackPalette, FALSE);
    const UINT changed = RealizePalette(dc);
    SelectPalette(dc, previous, FALSE);
    ReleaseDC(dialog, dc);
    if (changed != 0) InvalidateRect(dialog, nullptr, TRUE);
}

void OnPaletteChanged(HWND dialog, HWND changer) {
    if (changer != dialog) OnQueryNewPalette(dialog);
}

void ShowInstallState(HWND dialog) {
    ShowControlText(dialog, IDC_INSTALL, IsInstalled != 0 ? kUninstallLabel : kInstallLabel);
}

// With the player's own rights the work runs in an elevated copy, which may
// fail or be stopped at any step: the record says afterwards what it did.
// Uninstall asks before Windows asks for the rights.
void InstallOrUninstallElevated(HWND dialog) {
    const bool uninstall = IsInstalled != 0;
    if (uninstall && !AskUninstall(dialog)) return;
    if (!RunElevatedCopy(dialog, uninstall ? kElevatedUninstall : kElevatedInstall)) return;
    IsInstalled = 0;
    ReadInstallRecord();
    ShowInstallState(dialog);
    ReturnFromElevatedCopy(dialog);
}

void OnInstallOrUninstall(HWND dialog) {
    if (!CanWorkInThisProcess()) {
        InstallOrUninstallElevated(dialog);
        return;
    }
    if (IsInstalled != 0) {
        if (RunUninstall(dialog) != 1) return;
        IsInstalled = 0;
    } else {
        if (RunInstall(dialog) != 1) return;
        IsInstalled = 1;
    }
    ShowInstallState(dialog);
}

// Only a click matches: the whole parameter is compared with the id, so Esc
// (IDCANCEL) does nothing.
void OnCommand(HWND dialog, WPARAM command) {
    switch (command) {
    case IDC_PLAY:
        StartEngine(dialog);
        EndDialog(dialog, 0);
        break;
    case IDC_INSTALL:
        OnInstallOrUninstall(dialog);
        break;
    case IDC_EXIT:
        EndDialog(dialog, 0);
        break;
    }
}

}  // namespace

extern "C" INT_PTR CALLBACK DlgMainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        break;
    case WM_PAINT:
        OnPaint(dialog);
        break;
    case WM_QUERYNEWPALETTE:
        OnQueryNewPalette(dialog);
        break;
    case WM_PALETTECHANGED:
        OnPaletteChanged(dialog, reinterpret_cast<HWND>(wParam));
        break;
    case WM_COMMAND:
        OnCommand(dialog, wParam);
        break;
    case WM_SYSCOMMAND:
        if (wParam == SC_CLOSE) EndDialog(dialog, 0);
        break;
    }
    return 0;
}
