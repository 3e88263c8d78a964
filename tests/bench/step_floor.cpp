// The copy's step design at its floor: the least a program can do and still
// copy the plain files of its current directory the launcher's way. One
// posted message per step (a file opened, a 64 KiB block, a file's end), one
// waiting message let through just before each post, the bar drawn with
// PatBlt after each block, in the launcher's own copy dialog template; the
// bar's frame, its size and the brush are looked up once. The benchmark times
// the launcher's copy against this one.
//
// It asks first, so that the copy is timed from the answer as the launcher's
// is, and copies into the directory that KVE_FLOOR_TARGET names. Its stop
// button asks the launcher's question, so that the answer to a click can be
// timed too; its boxes carry the launcher's caption, as costly to lay out.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "launcher_texts.h"
#include "resource_ids.h"

namespace {

constexpr UINT kOpenStep = WM_USER + 1000;
constexpr UINT kBlockStep = WM_USER + 1001;
constexpr UINT kBlockBytes = 65536;

struct {
    std::string targetDirectory;
    HANDLE search = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA entry;
    HANDLE source = INVALID_HANDLE_VALUE;
    HANDLE target = INVALID_HANDLE_VALUE;
    BYTE buffer[kBlockBytes];
    ULONGLONG copied = 0;
    ULONGLONG total = 0;
    HBRUSH green = nullptr;
    HWND frame = nullptr;
    RECT frameClient;
    char caption[82] = "";
} Copy;

bool IsPlainFile(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & ~0xA1u) == 0; }

bool FindPlainFile(bool first) {
    for (;;) {
        if (first) {
            Copy.search = FindFirstFileA("*.*", &Copy.entry);
            if (Copy.search == INVALID_HANDLE_VALUE) return false;
            first = false;
        } else if (!FindNextFileA(Copy.search, &Copy.entry)) {
            return false;
        }
        if (IsPlainFile(Copy.entry)) return true;
    }
}

ULONGLONG SumOfPlainFiles() {
    ULONGLONG total = 0;
    for (bool found = FindPlainFile(true); found; found = FindPlainFile(false))
        total += (ULONGLONG(Copy.entry.nFileSizeHigh) << 32) | Copy.entry.nFileSizeLow;
    FindClose(Copy.search);
    return total;
}

void PostStep(HWND dialog, UINT step) {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    PostMessageA(dialog, step, 0, 0);
}

void DrawBar() {
    const RECT& client = Copy.frameClient;
    HDC dc = GetDC(Copy.frame);
    HGDIOBJ previous = SelectObject(dc, Copy.green);
    PatBlt(dc, 1, 1, int((client.right - 2) * Copy.copied / Copy.total), client.bottom - 2, PATCOPY);
    SelectObject(dc, previous);
    ReleaseDC(Copy.frame, dc);
}

void OnOpen(HWND dialog) {
    Copy.source = CreateFileA(Copy.entry.cFileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    const std::string target = Copy.targetDirectory + "\\" + Copy.entry.cFileName;
    Copy.target = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    PostStep(dialog, kBlockStep);
}

void OnFileEnd(HWND dialog) {
    CloseHandle(Copy.source);
    CloseHandle(Copy.target);
    if (FindPlainFile(false)) return PostStep(dialog, kOpenStep);
    FindClose(Copy.search);
    MessageBoxA(dialog, installer_texts::kCopyFinished, Copy.caption, MB_OK | MB_ICONINFORMATION);
    EndDialog(dialog, 1);
}

void OnBlock(HWND dialog) {
    const UINT read = _lread(HFILE(INT_PTR(Copy.source)), Copy.buffer, kBlockBytes);
    if (read == 0) return OnFileEnd(dialog);
    Copy.copied += _lwrite(HFILE(INT_PTR(Copy.target)), reinterpret_cast<LPCCH>(Copy.buffer), read);
    DrawBar();
    PostStep(dialog, kBlockStep);
}

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        Copy.frame = GetDlgItem(dialog, IDC_PROGRESS_FRAME);
        GetClientRect(Copy.frame, &Copy.frameClient);
        FindPlainFile(true);
        PostStep(dialog, kOpenStep);
        return 1;
    case kOpenStep:
        OnOpen(dialog);
        return 1;
    case kBlockStep:
        OnBlock(dialog);
        return 1;
    case WM_COMMAND:
        if (wParam != IDC_STOP) return 0;
        MessageBoxA(dialog, installer_texts::kStopQuestion, Copy.caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        return 1;
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const char* target = std::getenv("KVE_FLOOR_TARGET");
    if (target == nullptr) return 2;
    Copy.targetDirectory = target;
    LoadStringA(instance, IDS_APP_CAPTION, Copy.caption, sizeof Copy.caption);
    Copy.total = SumOfPlainFiles();
    Copy.green = CreateSolidBrush(RGB(0, 255, 0));
    if (MessageBoxA(nullptr, "コピーしますか？", Copy.caption, MB_YESNO | MB_ICONQUESTION) != IDYES) return 1;
    CreateDirectoryA(target, nullptr);
    DialogBoxParamA(instance, "DLG_INST", nullptr, FloorProc, 0);
    DeleteObject(Copy.green);
    return 0;
}
