// The error mode in force while this program calls the file-system functions
// that ask a drive. Wine never shows Windows' critical-error box for a drive
// without a medium, so the mode a call runs under is what tells whether the
// box could come. The program's own imports of them from KERNEL32 are turned
// through a wrapper that notes the mode and makes the real call.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ModeAtCall {
    std::string function;
    UINT mode;
};

class ErrorModeWatch {
public:
    // Watches GetDiskFreeSpaceA, CreateDirectoryA, RemoveDirectoryA,
    // FindFirstFileA, DeleteFileA, GetFileAttributesA and CreateProcessA.
    ErrorModeWatch();
    // The imports lead straight to the system again.
    ~ErrorModeWatch();
    ErrorModeWatch(const ErrorModeWatch&) = delete;
    ErrorModeWatch& operator=(const ErrorModeWatch&) = delete;

    // Each watched call so far, in order.
    const std::vector<ModeAtCall>& Calls() const;
    // The functions called so far, each named once, in the order of their first call.
    std::vector<std::string> FunctionsCalled() const;
};

// The process's error mode now.
UINT CurrentErrorMode();
