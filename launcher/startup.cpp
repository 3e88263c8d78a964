#include "startup.h"

#include <cstring>

#include "backcg.h"
#include "dialog_procs.h"
#include "display_texts.h"
#include "elevated_copy.h"
#include "install_record.h"
#include "locked_memory.h"
#include "resource_ids.h"
#include "shared_state.h"
#include "system_functions.h"

namespace {

const char kFailureMessage[] = "システムに異常があるので起動を中止します。";
const char kUnsupportedVersionMessage[] = "このバージョンのＷｉｎｄｏｗｓでは動作しません。";

// The resource and the palette source live as long as the picture.
HRSRC PictureResource;
HGLOBAL PictureData;
struct {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[256];
} PaletteSource;

void ResetSharedState(HINSTANCE resources) {
    AppInstance = resources;
    AppCaption[0] = DefaultInstallDir[0] = SourceDir[0] = InstalledDir[0] = '\0';
    ScreenRect = RECT{};
    IsInstalled = 0;
    BackPalette = nullptr;
    BackInfo = BackgroundInfo{};
    BackBits = nullptr;
    RequiredBytes = 0;
    PictureResource = nullptr;
    PictureData = nullptr;
}

bool LoadTexts() {
    const bool caption = LoadCaption();
    const bool installDir =
        caption && LoadStringA(AppInstance, IDS_DEFAULT_INSTALL_DIR, DefaultInstallDir, kPathCapacity) != 0;
    return installDir && LoadStringA(AppInstance, IDS_SOURCE_DIR, SourceDir, kPathCapacity) != 0;
}

void TakeColours(const BYTE* colours) {
    PaletteSource.palVersion = 0x0300;
    PaletteSource.palNumEntries = 256;
    for (int i = 0; i < 256; ++i, colours += 3) {
        PaletteSource.palPalEntry[i] = PALETTEENTRY{colours[2], colours[1], colours[0], PC_NOCOLLAPSE};
        BackInfo.bmiColors[i] = RGBQUAD{colours[0], colours[1], colours[2], 0};
    }
}

// The palette's first and last ten entries become the system's static colours,
// so realising it leaves them in place; the bitmap keeps the picture's own.
void TakeSystemColours() {
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, 0, 10, &PaletteSource.palPalEntry[0]);
    GetSystemPaletteEntries(screen, 246, 10, &PaletteSource.palPalEntry[246]);
    ReleaseDC(nullptr, screen);
}

bool DecodePicture(const BackcgLayout& layout) {
    const SIZE_T bytes = SIZE_T(layout.width) * layout.height;
    BackBits = AllocateLockedMemory(bytes);
    if (BackBits == nullptr) return false;
    // The top row goes to the buffer's last row: the buffer ends up bottom row first.
    BYTE* topRow = BackBits + SIZE_T(layout.height - 1) * layout.width;
    return DecodeColumnRle(topRow, layout.sizeFields, layout.end, -static_cast<INT32>(layout.width));
}

void DescribePicture(const BackcgLayout& layout) {
    BITMAPINFOHEADER& header = BackInfo.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = static_cast<LONG>(layout.width);
    header.biHeight = static_cast<LONG>(layout.height);
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
}

// Turns BACKCG into the palette, the colour table and the bottom-up bitmap.
bool LoadBackgroundPicture() {
    PictureResource = FindResourceA(AppInstance, "BACKCG", MAKEINTRESOURCEA(10));
    if (PictureResource == nullptr) return false;
    PictureData = LoadResource(AppInstance, PictureResource);
    if (PictureData == nullptr) return false;
    const BYTE* data = static_cast<const BYTE*>(LockResource(PictureData));
    BackcgLayout layout;
    if (data == nullptr || !LocateBackcgRecord(data, SizeofResource(AppInstance, PictureResource), &layout))
        return false;
    TakeColours(layout.colours);
    TakeSystemColours();
    BackPalette = CreatePalette(reinterpret_cast<LOGPALETTE*>(&PaletteSource));
    if (BackPalette == nullptr) return false;
    if (!DecodePicture(layout)) return false;
    DescribePicture(layout);
    return true;
}

StartupOutcome RunMainWindow() {
    const INT_PTR result = RunDialog("DLG_MAIN", nullptr, DlgMainProc);
    return result == -1 ? kOutcomeFailed : kOutcomeRan;
}

// An elevated copy works in the folder of the launcher that started it, never
// in the system's folder where Windows starts it, and never shows the main
// window.
StartupOutcome StartAndRun(const ElevatedRequest& request) {
    ChooseTextDisplay();
    if (!LoadTexts()) return kOutcomeFailed;
    if (!IsWindowsVersionSupported(GetVersion())) return kOutcomeUnsupportedVersion;
    const bool elevatedCopy = request.action != kNoElevatedAction;
    const BOOL inFolder = SetCurrentDirectoryA(elevatedCopy ? request.folder : SourceDir);
    GetWindowRect(GetDesktopWindow(), &ScreenRect);
    ReadInstallRecord();
    if (elevatedCopy) {
        if (!inFolder) return kOutcomeFailed;
        RunElevatedAction(request);
        return kOutcomeRan;
    }
    if (!LoadBackgroundPicture()) return kOutcomeFailed;
    return RunMainWindow();
}

void ReportOutcome(StartupOutcome outcome) {
    if (outcome == kOutcomeFailed) ShowMessage(nullptr, kFailureMessage, kReportStyle);
    if (outcome == kOutcomeUnsupportedVersion) ShowMessage(nullptr, kUnsupportedVersionMessage, kReportStyle);
}

// Released in the reverse order of making, each only if it was made.
void ReleaseSharedState() {
    FreeLockedMemory(&BackBits);
    if (BackPalette != nullptr) {
        DeleteObject(BackPalette);
        BackPalette = nullptr;
    }
    if (PictureData != nullptr) {
        FreeResource(PictureData);
        PictureData = nullptr;
    }
    ReleaseTextDisplay();
}

}  // namespace

bool IsWindowsVersionSupported(DWORD version) {
    const DWORD major = version & 0xFF;
    const DWORD minor = (version >> 8) & 0xFF;
    return major * 256 + minor >= 0x0333;
}

StartupOutcome RunLauncher(HINSTANCE resources, const char* arguments) {
    ResetSharedState(resources);
    const StartupOutcome outcome = StartAndRun(ReadElevatedRequest(arguments));
    ReportOutcome(outcome);
    ReleaseSharedState();
    return outcome;
}

void RestrictDllSearchPath() {
    const DWORD searchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories =
        FindSystemFunction<SetDefaultDllDirectoriesFunction>("kernel32.dll", "SetDefaultDllDirectories");
    if (setDefaultDllDirectories == nullptr || !setDefaultDllDirectories(searchSystem32)) return;
    // Wine resolves the delayed imports of its own DLLs by the search path the
    // process started with, the program's folder first: the COM library that
    // the input method asks for with the first window is taken from the
    // system directory now, so a planted one is never found.
    LoadLibraryA("ole32.dll");
}
