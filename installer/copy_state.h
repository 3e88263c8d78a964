// The copy's state, which lives across the many messages of one copy. Every
// handle and the buffer go back to none when released, so that no release
// happens twice.
#pragma once

#include <windows.h>

#include <cstdint>

// The search for "*.*" in the current directory; `entry` is the file being copied.
struct DirectorySearch {
    HANDLE handle;  // nullptr when there is no search
    WIN32_FIND_DATAA entry;
};

extern DirectorySearch CopySearch;
extern HFILE SourceFile;           // 0 when none is open
extern HFILE TargetFile;           // 0 when none is open
extern BYTE* CopyBuffer;           // nullptr when not held
extern std::uint64_t CopiedBytes;  // bytes written in this run of the copy dialog

// The copy steps, posted by the copy dialog to itself.
constexpr UINT WM_INSTALL_OPENFILE = WM_USER + 1000;   // 2024
constexpr UINT WM_INSTALL_COPYBLOCK = WM_USER + 1001;  // 2025

// Lets at most one waiting message of the thread through.
void PumpOneMessage();

// Paints the green bar for CopiedBytes of RequiredBytes inside control 600.
void DrawCopyProgress(HWND dialog);
