// The wide (Unicode) functions through which the launcher's texts reach the
// screen on a system whose code page is not Japanese, and the few that choose
// them and make the dialogs' font. All are looked up at run time: the
// executable's imports stay those of Windows NT 3.51 and the first Windows 95.
#pragma once

#include <windows.h>

struct WideCalls {
    // KERNEL32
    UINT(WINAPI* getACP)();
    BOOL(WINAPI* isValidCodePage)(UINT);
    int(WINAPI* multiByteToWideChar)(UINT, DWORD, LPCCH, int, LPWSTR, int);
    int(WINAPI* wideCharToMultiByte)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL);
    // USER32
    int(WINAPI* loadString)(HINSTANCE, UINT, LPWSTR, int);
    INT_PTR(WINAPI* dialogBoxParam)(HINSTANCE, LPCWSTR, HWND, DLGPROC, LPARAM);
    int(WINAPI* messageBox)(HWND, LPCWSTR, LPCWSTR, UINT);
    BOOL(WINAPI* setWindowText)(HWND, LPCWSTR);
    BOOL(WINAPI* setDlgItemText)(HWND, int, LPCWSTR);
    BOOL(WINAPI* enumChildWindows)(HWND, WNDENUMPROC, LPARAM);
    LRESULT(WINAPI* sendMessage)(HWND, UINT, WPARAM, LPARAM);
    // GDI32
    HGDIOBJ(WINAPI* getStockObject)(int);
    int(WINAPI* getObject)(HANDLE, int, LPVOID);
    HFONT(WINAPI* createFontIndirect)(const LOGFONTW*);
};

// Fills `calls`; false when this Windows lacks any of them.
bool FindWideCalls(WideCalls* calls);
