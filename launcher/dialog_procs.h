// The three dialog procedures, exported by name (no decoration) so that the
// dialog manager and test programs can find them.
#pragma once

#include <windows.h>

extern "C" {
__declspec(dllexport) INT_PTR CALLBACK DlgMainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
__declspec(dllexport) INT_PTR CALLBACK DlgSelectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
__declspec(dllexport) INT_PTR CALLBACK DlgInstallProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}
