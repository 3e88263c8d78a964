#include "shared_state.h"

HINSTANCE AppInstance;
char AppCaption[kCaptionCapacity];
char DefaultInstallDir[kPathCapacity];
char SourceDir[kPathCapacity];
RECT ScreenRect;

std::uint32_t IsInstalled;
char InstalledDir[kPathCapacity];

HPALETTE BackPalette;
BackgroundInfo BackInfo;
BYTE* BackBits;

std::uint64_t RequiredBytes;
