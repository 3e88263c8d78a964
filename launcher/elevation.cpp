#include "elevation.h"

#include <shellapi.h>
#include <winnetwk.h>

#include <cstring>

#include "display_texts.h"
#include "system_functions.h"

namespace {

const char kNotStarted[] = "処理を開始できませんでした。";

constexpr int kTokenElevation = 20;  // TOKEN_INFORMATION_CLASS, from Windows Vista on
constexpr DWORD kAnyProcess = DWORD(-1);  // ASFW_ANY
// GetCurrentProcess's pseudo handle, a constant on every Windows.
const HANDLE kThisProcess = reinterpret_cast<HANDLE>(-1);

// An elevated process doesn't see the player's mapped network drives: a path
// on one becomes its share's UNC path. Any other path stays as it is.
void UseUniversalName(char* path) {
    using GetUniversalName = DWORD(WINAPI*)(LPCSTR, DWORD, LPVOID, LPDWORD);
    const auto getUniversalName = FindSystemFunction<GetUniversalName>("mpr.dll", "WNetGetUniversalNameA");
    // The name is stored behind the structure, so it fits in kPathCapacity.
    union {
        UNIVERSAL_NAME_INFOA info;
        char bytes[sizeof(UNIVERSAL_NAME_INFOA) + kPathCapacity];
    } name;
    DWORD size = sizeof name;
    if (getUniversalName != nullptr && getUniversalName(path, UNIVERSAL_NAME_INFO_LEVEL, &name, &size) == NO_ERROR)
        std::memcpy(path, name.info.lpUniversalName, std::strlen(name.info.lpUniversalName) + 1);
}

void AllowForegroundToAnyProcess() {
    using AllowSetForeground = BOOL(WINAPI*)(DWORD);
    const auto allow = FindSystemFunction<AllowSetForeground>("user32.dll", "AllowSetForegroundWindow");
    if (allow != nullptr) allow(kAnyProcess);
}

// False with the error of ShellExecuteExA, or of its absence.
bool StartElevated(HWND window, const char* program, const char* arguments, HANDLE* process) {
    using ShellExecuteEx = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
    LoadSystemLibrary("shell32.dll");
    const auto shellExecuteEx = FindSystemFunction<ShellExecuteEx>("shell32.dll", "ShellExecuteExA");
    if (shellExecuteEx == nullptr) return false;
    SHELLEXECUTEINFOA start = {};
    start.cbSize = sizeof start;
    start.fMask = SEE_MASK_NOCLOSEPROCESS;
    start.hwnd = window;
    start.lpVerb = "runas";
    start.lpFile = program;
    start.lpParameters = arguments;
    start.nShow = SW_SHOWNORMAL;
    if (!shellExecuteEx(&start)) return false;
    *process = start.hProcess;
    return true;
}

// The window can't be used while the copy runs; its messages are handled, so
// it keeps painting. It is disabled again after each message: a dialog of
// the copy enables its owner when it ends. A wait that fails ends it too.
void WaitDisabled(HWND window, HANDLE process) {
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        EnableWindow(window, FALSE);
    } while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1);
}

// The program and the folder it works in, by names that an elevated process
// reaches too: it doesn't inherit the current folder, nor see mapped drives.
// A program's name cut short (Vista and later end it) fails to start.
bool NameProgramAndFolder(char* program, char* folder) {
    GetModuleFileNameA(nullptr, program, kPathCapacity);
    const DWORD folderLength = GetFullPathNameA(".", kPathCapacity, folder, nullptr);  // the current folder
    if (folderLength == 0 || folderLength >= kPathCapacity) return false;
    LoadSystemLibrary("mpr.dll");
    UseUniversalName(program);
    UseUniversalName(folder);
    return true;
}

}  // namespace

bool CanWorkInThisProcess() {
    using OpenToken = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using QueryToken = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD, PDWORD);
    const auto openToken = FindSystemFunction<OpenToken>("advapi32.dll", "OpenProcessToken");
    const auto queryToken = FindSystemFunction<QueryToken>("advapi32.dll", "GetTokenInformation");
    HANDLE token;
    if (openToken == nullptr || queryToken == nullptr || !openToken(kThisProcess, TOKEN_QUERY, &token))
        return true;
    DWORD elevated = 0;
    DWORD size = 0;
    const BOOL known = queryToken(token, kTokenElevation, &elevated, sizeof elevated, &size);
    CloseHandle(token);
    return !known || elevated != 0;
}

bool RunElevatedCopy(HWND window, ElevatedAction action) {
    char program[kPathCapacity];
    char folder[kPathCapacity];
    char arguments[kElevatedArgumentsCapacity];
    HANDLE process = nullptr;
    // Disabled before the copy starts: its first dialog may come up at once.
    EnableWindow(window, FALSE);
    bool started = NameProgramAndFolder(program, folder);
    if (started) {
        WriteElevatedArguments(arguments, action, window, folder);
        AllowForegroundToAnyProcess();
        started = StartElevated(window, program, arguments, &process);
    }
    if (!started) {
        const DWORD error = GetLastError();
        EnableWindow(window, TRUE);
        if (error != ERROR_CANCELLED) ShowMessage(window, kNotStarted, kReportStyle);
        return false;
    }
    WaitDisabled(window, process);
    CloseHandle(process);
    return true;
}

void ReturnFromElevatedCopy(HWND window) {
    EnableWindow(window, TRUE);
    SetForegroundWindow(window);
}
