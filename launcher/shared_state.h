// The launcher's program-wide state. The start-up code is its one owner: it
// fills it before the main window opens and releases it after that window has
// ended. Other code reads it and changes only the install state.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int kPathCapacity = MAX_PATH;  // 260 bytes, terminator included
constexpr int kCaptionCapacity = 82;

extern HINSTANCE AppInstance;                 // where the strings, the picture and the dialogs live
extern char AppCaption[kCaptionCapacity];     // caption of the main window and of every message box
extern char DefaultInstallDir[kPathCapacity]; // offered behind the Windows drive's letter
extern char SourceDir[kPathCapacity];         // made current at start-up: the files to install
extern RECT ScreenRect;                       // the desktop's rectangle at start-up

// The install state: filled from the install record, changed by the install
// flow (InstalledDir) and by the main window (IsInstalled).
extern std::uint32_t IsInstalled;
extern char InstalledDir[kPathCapacity];

// The background picture, bottom row first, and how to draw it.
struct BackgroundInfo {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};
extern HPALETTE BackPalette;
extern BackgroundInfo BackInfo;
extern BYTE* BackBits;

// Total size of the source entries, set when the directory selection opens;
// the free space asked for and the progress bar's full scale. 64 bits wide so
// that sources of 4 GiB or more are measured truly.
extern std::uint64_t RequiredBytes;
