// Start-up as RunLauncher runs it: with this program's own resources (the
// launcher's), with resource modules that leave out or spoil one piece, and
// under older Windows versions that Wine reports for a probe program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "display_texts.h"
#include "installer_scene.h"
#include "locked_memory.h"
#include "message_boxes.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "shared_state.h"
#include "startup.h"
#include "temp_directory.h"
#include "wide_text.h"
#include "wine_version.h"

namespace {

const char kCaption[] = "ＺＥＲＶＡ－Ｑ７Ｒ（デモ）の起動とインストール";
const char kModuleCaption[] = "起動試験用モジュール";  // entry 1 of the test modules
const char kFailureText[] = "システムに異常があるので起動を中止します。";
const char kVersionText[] = "このバージョンのＷｉｎｄｏｗｓでは動作しません。";

std::string ProgramDirectory() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program = path;
    return program.substr(0, program.find_last_of('\\'));
}

// One of the resource-only modules built beside this program.
class ResourceModule {
public:
    explicit ResourceModule(const std::string& name)
        : handle_(LoadLibraryA((ProgramDirectory() + "\\" + name + ".dll").c_str())) {}
    ~ResourceModule() {
        if (handle_ != nullptr) FreeLibrary(handle_);
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    HINSTANCE Handle() const { return handle_; }

private:
    HMODULE handle_;
};

// What a user met during one run of the launcher.
struct LauncherRun {
    StartupOutcome outcome = kOutcomeFailed;
    bool mainWindowShown = false;
    std::vector<SeenMessageBox> boxes;
};

// Runs the launcher on `resources`, answering its message boxes. While the
// main window is up, `inspect` looks at it; then Exit is clicked.
LauncherRun RunLauncherWith(HINSTANCE resources, const std::function<void(HWND)>& inspect = [](HWND) {},
                            const std::string& arguments = "") {
    MessageBoxAnswerer answerer;
    LauncherRun run;
    DialogScript script;
    script.Do([&](HWND window) {
        run.mainWindowShown = GetDlgItem(window, IDC_PLAY) != nullptr && GetDlgItem(window, IDC_EXIT) != nullptr;
        inspect(window);
    });
    script.Click(IDC_EXIT);
    run.outcome =
        static_cast<StartupOutcome>(script.RunAround([&] { return static_cast<INT_PTR>(RunLauncher(resources, arguments.c_str())); }));
    run.boxes = answerer.Seen();
    return run;
}

// IsReport compares the caption with AppCaption; the exact one is checked too.
void ExpectOnlyTheReport(const LauncherRun& run, const char* text, const char* caption) {
    ASSERT_EQ(run.boxes.size(), 1u);
    const SeenMessageBox& box = run.boxes.front();
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption);
    EXPECT_TRUE(IsReport(box));
}

// A failure while the texts load comes before the install record is read.
void ExpectFailureBeforeTheRecordWasRead(const LauncherRun& run, const char* caption) {
    EXPECT_EQ(run.outcome, kOutcomeFailed);
    EXPECT_FALSE(run.mainWindowShown);
    ExpectOnlyTheReport(run, kFailureText, caption);
    EXPECT_FALSE(record_key::Exists());
}

void ExpectFailureAfterTheRecordWasRead(const LauncherRun& run, const char* caption) {
    EXPECT_EQ(run.outcome, kOutcomeFailed);
    EXPECT_FALSE(run.mainWindowShown);
    ExpectOnlyTheReport(run, kFailureText, caption);
    EXPECT_TRUE(record_key::Exists());
    EXPECT_EQ(BackBits, nullptr);
    EXPECT_EQ(BackPalette, nullptr);
}

std::string HexBytes(const BYTE* bytes, size_t count) {
    std::string text;
    char pair[3];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

// A colour written red, green, blue, then the flags or reserved byte.
std::string Colour(BYTE red, BYTE green, BYTE blue, BYTE extra) {
    const BYTE bytes[] = {red, green, blue, extra};
    return HexBytes(bytes, sizeof bytes);
}

// The colours of a module's BACKCG, with the extra byte given.
std::vector<std::string> PictureColours(HINSTANCE module, BYTE extra) {
    HRSRC found = FindResourceA(module, "BACKCG", MAKEINTRESOURCEA(10));
    const BYTE* entry = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    std::vector<std::string> colours;
    for (int i = 0; i < 256; ++i, entry += 3) colours.push_back(Colour(entry[2], entry[1], entry[0], extra));
    return colours;
}

std::vector<std::string> EntryColours(const PALETTEENTRY (&entries)[256]) {
    std::vector<std::string> colours;
    for (const PALETTEENTRY& e : entries) colours.push_back(Colour(e.peRed, e.peGreen, e.peBlue, e.peFlags));
    return colours;
}

std::vector<std::string> PaletteColours(HPALETTE palette) {
    PALETTEENTRY entries[256] = {};
    GetPaletteEntries(palette, 0, 256, entries);
    return EntryColours(entries);
}

std::vector<std::string> ColourTable(const BackgroundInfo& info) {
    std::vector<std::string> colours;
    for (const RGBQUAD& q : info.bmiColors) colours.push_back(Colour(q.rgbRed, q.rgbGreen, q.rgbBlue, q.rgbReserved));
    return colours;
}

// The system palette's static colours, read as start-up reads them; the
// other entries stay empty.
std::vector<std::string> SystemStaticColours() {
    PALETTEENTRY entries[256] = {};
    HDC screen = GetDC(nullptr);
    GetSystemPaletteEntries(screen, 0, 10, &entries[0]);
    GetSystemPaletteEntries(screen, 246, 10, &entries[246]);
    ReleaseDC(nullptr, screen);
    return EntryColours(entries);
}

bool IsStaticColourIndex(int index) { return index < 10 || index >= 246; }

SIZE_T PictureBlockBytes() { return GlobalSize(GlobalHandle(BackBits)); }

// A launcher text as the ANSI calls show it on this system: the Shift-JIS
// bytes taken in the system's code page, read back in code page 932.
std::string ShownThroughTheAnsiCalls(const std::string& text) { return AsShiftJis(Widened(text, GetACP())); }

// The caption as the ANSI calls show it: LoadStringA gives the string table's
// text in the system's code page, "ZERVA-Q7R(??)??????????" in 1252.
std::string CaptionThroughTheAnsiCalls() {
    char caption[kCaptionCapacity] = "";
    LoadStringA(GetModuleHandleA(nullptr), IDS_APP_CAPTION, caption, kCaptionCapacity);
    return ShownThroughTheAnsiCalls(caption);
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override { record_key::Remove(); }
    void TearDown() override { record_key::Remove(); }

    HINSTANCE LauncherResources() const { return GetModuleHandleA(nullptr); }

private:
    CurrentDirectory keepCurrentDirectory_{"."};  // the test modules make C:\windows current
};

TEST_F(Startup, ANormalStartShowsTheMainWindowAndNoMessage) {
    std::string windowCaption;
    const LauncherRun run = RunLauncherWith(LauncherResources(), [&](HWND window) {
        windowCaption = AsShiftJis(WideWindowText(window));
    });
    EXPECT_EQ(run.outcome, kOutcomeRan);
    EXPECT_TRUE(run.mainWindowShown);
    EXPECT_EQ(windowCaption, kCaption);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(record_key::Exists());
    EXPECT_EQ(record_key::ClassName(), "KVE");
}

TEST_F(Startup, TheInstallRecordIsReadBeforeTheMainWindowOpens) {
    record_key::SetString("InstallDir", "C:\\Games\\Q7R");
    const LauncherRun run = RunLauncherWith(LauncherResources(), [](HWND window) {
        EXPECT_EQ(IsInstalled, 1u);
        EXPECT_STREQ(InstalledDir, "C:\\Games\\Q7R");
        EXPECT_EQ(ControlText(window, IDC_INSTALL), "アンインストール(&U)");
    });
    EXPECT_TRUE(run.mainWindowShown);
}

// The copy that a launcher without administrator rights starts elevated runs
// only the action that its command line names, only while the record fits
// that action, and shows neither the main window nor the uninstall's
// question. Any other command line starts the launcher.
TEST_F(Startup, AnElevatedCopyRunsOnlyItsActionAndOnlyWhileTheRecordFitsIt) {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    const std::string request = std::string(" 0 \"") + folder + "\"";
    const struct {
        std::string arguments;
        bool installed;
        const char* dialog;
        bool installedAfter;
    } rows[] = {{"/uninstall" + request, true, "none", false},      {"/install" + request, true, "none", true},
                {"/install" + request, false, "selection", false},  {"/installer" + request, false, "main", false},
                {"/install 0", false, "main", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments + (row.installed ? ", installed" : ""));
        TempDirectory installation;
        record_key::Remove();
        if (row.installed) record_key::SetString("InstallDir", installation.Path());
        std::string dialog = "none";
        const auto seeAndStop = [&](HWND window) {
            dialog = GetDlgItem(window, IDC_PLAY) != nullptr ? "main" : "selection";
            PostMessageA(window, WM_COMMAND, IDC_STOP, 0);  // the main window ignores it
        };
        const LauncherRun run = RunLauncherWith(LauncherResources(), seeAndStop, row.arguments);
        EXPECT_EQ(dialog, row.dialog);
        EXPECT_TRUE(run.boxes.empty());
        DWORD type = 0;
        std::string data;
        EXPECT_EQ(record_key::GetValue("InstallDir", &type, &data), row.installedAfter);
    }
}

TEST_F(Startup, TheShippedPictureIsA580By440BottomUpEightBitBitmap) {
    const LauncherRun run = RunLauncherWith(LauncherResources(), [](HWND) {
        const BITMAPINFOHEADER& header = BackInfo.bmiHeader;
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, 580);
        EXPECT_EQ(header.biHeight, 440);  // positive: bottom row first
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, 8);
        EXPECT_EQ(header.biCompression, DWORD(BI_RGB));
        EXPECT_EQ(header.biSizeImage, 0u);
        EXPECT_EQ(header.biClrUsed, 0u);  // all 256 colours
        EXPECT_EQ(PictureBlockBytes(), 255200u);
    });
    EXPECT_TRUE(run.mainWindowShown);
}

TEST_F(Startup, ThePictureThePaletteAndTheFontAreReleasedWhenTheMainWindowCloses) {
    HPALETTE palette = nullptr;
    HGLOBAL pixels = nullptr;
    HGDIOBJ font = nullptr;
    const LauncherRun run = RunLauncherWith(LauncherResources(), [&](HWND window) {
        palette = BackPalette;
        pixels = GlobalHandle(BackBits);
        font = ControlFont(window, IDC_PLAY);
    });
    ASSERT_TRUE(run.mainWindowShown);
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(GetObjectType(palette), 0u);
    if (font != nullptr) {
        EXPECT_EQ(GetObjectType(font), 0u) << "the buttons' font";
    }
    EXPECT_EQ(BackPalette, nullptr);
    EXPECT_EQ(BackBits, nullptr);
    EXPECT_EQ(GlobalFlags(pixels), UINT(GMEM_INVALID_HANDLE));
}

// Where the code page is not Japanese, the buttons take a font of the Japanese
// character set, as tall as the system font that sets the dialog units; on
// Japanese Windows they keep the system font. The window keeps its
// template's size either way (the end-to-end scenarios measure it).
TEST_F(Startup, TheButtonsTakeAJapaneseFontWhereTheCodePageIsNotJapanese) {
    LOGFONTW system = {};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system);
    std::vector<LOGFONTW> fonts;
    const LauncherRun run = RunLauncherWith(LauncherResources(), [&](HWND window) {
        for (int id : {IDC_PLAY, IDC_INSTALL, IDC_EXIT}) {
            LOGFONTW font = {};
            if (HGDIOBJ handle = ControlFont(window, id)) GetObjectW(handle, sizeof font, &font);
            fonts.push_back(font);
        }
    });
    ASSERT_TRUE(run.mainWindowShown);
    for (const LOGFONTW& font : fonts) {
        if (GetACP() == 932) {
            EXPECT_EQ(font.lfHeight, 0) << "the system font, which is Japanese";
            continue;
        }
        EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(font.lfHeight, system.lfHeight);
    }
}

// Moveable memory of 0 bytes is made discarded, and its lock fails: the
// handle is freed, not lost, as it would be when the picture's or the copy's
// memory can't be locked.
TEST(LockedMemory, MemoryThatCannotBeLockedIsFreed) {
    HGLOBAL discarded = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(discarded, nullptr);
    EXPECT_EQ(LockOrFree(discarded), nullptr);
    EXPECT_EQ(GlobalFlags(discarded), UINT(GMEM_INVALID_HANDLE));
}

TEST_F(Startup, TextsPictureAndDirectoryComeFromTheGivenModule) {
    ResourceModule module("startup_small_picture");
    ASSERT_NE(module.Handle(), nullptr);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const LauncherRun run = RunLauncherWith(module.Handle(), [&](HWND) {
        EXPECT_STREQ(AppCaption, kModuleCaption);
        EXPECT_STREQ(DefaultInstallDir, "\\Test\\Q7R");
        EXPECT_STREQ(SourceDir, "C:\\windows");
        char current[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof current, current);
        EXPECT_STREQ(current, "C:\\windows");
        EXPECT_TRUE(EqualRect(&ScreenRect, &desktop));
        EXPECT_EQ(BackInfo.bmiHeader.biWidth, 8);
        EXPECT_EQ(BackInfo.bmiHeader.biHeight, 3);
        ASSERT_EQ(PictureBlockBytes(), 24u);
        // Columns A B B and C C C, stored bottom row first.
        EXPECT_EQ(HexBytes(BackBits, 24), "10111213" "20212223"
                                          "10111213" "20212223"
                                          "0a0b0c0d" "20212223");
    });
    EXPECT_EQ(run.outcome, kOutcomeRan);
    EXPECT_TRUE(run.mainWindowShown);
    EXPECT_TRUE(run.boxes.empty());
}

TEST_F(Startup, ThePaletteTakesTheSystemsStaticColoursWhileTheColourTableKeepsThePictures) {
    ResourceModule module("startup_small_picture");
    ASSERT_NE(module.Handle(), nullptr);
    const std::vector<std::string> system = SystemStaticColours();
    const std::vector<std::string> picture = PictureColours(module.Handle(), PC_NOCOLLAPSE);
    for (int i = 0; i < 256; ++i) {
        if (!IsStaticColourIndex(i)) continue;
        ASSERT_NE(system[i], picture[i]) << "index " << i;
    }

    std::vector<std::string> palette, colourTable;
    const LauncherRun run = RunLauncherWith(module.Handle(), [&](HWND) {
        palette = PaletteColours(BackPalette);
        colourTable = ColourTable(BackInfo);
    });
    ASSERT_TRUE(run.mainWindowShown);
    EXPECT_EQ(colourTable, PictureColours(module.Handle(), 0));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(palette[i], IsStaticColourIndex(i) ? system[i] : picture[i]) << "index " << i;
}

TEST_F(Startup, AMissingCaptionFailsWithAnEmptyCaptionAndLeavesTheRegistryAlone) {
    ResourceModule module("startup_no_caption");
    ASSERT_NE(module.Handle(), nullptr);
    ExpectFailureBeforeTheRecordWasRead(RunLauncherWith(module.Handle()), "");
}

std::string Repeated(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

// AppCaption holds 81 bytes and the terminator. A longer caption keeps the
// whole characters that fit, through the ANSI calls and, where the code page
// is not Japanese, through the wide calls, whose text is converted back to
// Shift-JIS; and the window shows just that.
TEST_F(Startup, ALongCaptionKeepsTheWholeCharactersThatFitIn81BytesAndItsTerminator) {
    const std::string fortyKana = Repeated("あ", 40);
    const struct {
        const char* module;
        std::string kept;
    } rows[] = {
        {"startup_caption_of_81_bytes", "Q" + fortyKana},
        {"startup_caption_of_82_bytes", fortyKana},  // the 41st would take bytes 81 and 82
        {"startup_caption_of_90_bytes", std::string(81, 'Q')},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.module);
        ResourceModule module(row.module);
        ASSERT_NE(module.Handle(), nullptr);
        bool terminated = false;
        std::string caption, windowCaption;
        const LauncherRun run = RunLauncherWith(module.Handle(), [&](HWND window) {
            terminated = std::memchr(AppCaption, '\0', sizeof AppCaption) != nullptr;
            caption.assign(AppCaption, terminated ? std::strlen(AppCaption) : sizeof AppCaption);
            windowCaption = AsShiftJis(WideWindowText(window));
        });
        EXPECT_TRUE(run.mainWindowShown);
        EXPECT_TRUE(terminated) << "no terminator inside AppCaption's 82 bytes";
        EXPECT_EQ(caption, row.kept);
        EXPECT_EQ(windowCaption, row.kept);
    }
}

TEST_F(Startup, AMissingDirectoryTextFailsWithTheNormalCaptionAndLeavesTheRegistryAlone) {
    for (const char* name : {"startup_no_install_dir", "startup_no_source_dir"}) {
        SCOPED_TRACE(name);
        ResourceModule module(name);
        ASSERT_NE(module.Handle(), nullptr);
        ExpectFailureBeforeTheRecordWasRead(RunLauncherWith(module.Handle()), kModuleCaption);
    }
}

TEST_F(Startup, WithoutAPictureStartUpFailsAfterTheRecordWasRead) {
    ResourceModule module("startup_no_picture");
    ASSERT_NE(module.Handle(), nullptr);
    ExpectFailureAfterTheRecordWasRead(RunLauncherWith(module.Handle()), kModuleCaption);
}

TEST_F(Startup, AMalformedPictureEndsStartUpWithTheFailureMessage) {
    for (const char* name :
         {"startup_picture_ends_in_colours", "startup_picture_offset_wraps", "startup_picture_header_past_end",
          "startup_picture_stream_cut_short", "startup_picture_repeat_past_column",
          "startup_picture_width_not_multiple_of_4", "startup_picture_width_zero", "startup_picture_height_zero"}) {
        SCOPED_TRACE(name);
        record_key::Remove();
        ResourceModule module(name);
        ASSERT_NE(module.Handle(), nullptr);
        ExpectFailureAfterTheRecordWasRead(RunLauncherWith(module.Handle()), kModuleCaption);
    }
}

// Notes the launcher's palette as the first message box opens.
class PaletteAtFirstMessageBox {
public:
    PaletteAtFirstMessageBox() : hook_(SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId())) {
        seen_ = nullptr;
    }
    ~PaletteAtFirstMessageBox() { UnhookWindowsHookEx(hook_); }
    HPALETTE Seen() const { return seen_; }

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && seen_ == nullptr) seen_ = BackPalette;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static HPALETTE seen_;
    HHOOK hook_;
};
HPALETTE PaletteAtFirstMessageBox::seen_;

TEST_F(Startup, AMainWindowThatCannotBeMadeFailsAndStillReleasesThePicture) {
    ResourceModule module("startup_no_main_dialog");
    ASSERT_NE(module.Handle(), nullptr);
    PaletteAtFirstMessageBox palette;
    ExpectFailureAfterTheRecordWasRead(RunLauncherWith(module.Handle()), kModuleCaption);
    ASSERT_NE(palette.Seen(), nullptr);  // the report shows while the picture is still there
    EXPECT_EQ(GetObjectType(palette.Seen()), 0u);
}

// GetVersion's layout: the major version in the low byte, the minor in the next.
constexpr DWORD VersionWord(BYTE major, BYTE minor, DWORD highBits = 0) { return highBits | (minor << 8) | major; }

TEST(WindowsVersion, From351OnIsSupportedWhateverTheHighBitsSay) {
    EXPECT_FALSE(IsWindowsVersionSupported(VersionWord(3, 50)));
    EXPECT_FALSE(IsWindowsVersionSupported(VersionWord(3, 10)));
    EXPECT_FALSE(IsWindowsVersionSupported(VersionWord(3, 10, 0x80000000)));  // Win32s
    EXPECT_FALSE(IsWindowsVersionSupported(VersionWord(2, 255)));
    EXPECT_TRUE(IsWindowsVersionSupported(VersionWord(3, 51)));
    EXPECT_TRUE(IsWindowsVersionSupported(VersionWord(4, 0)));
    EXPECT_TRUE(IsWindowsVersionSupported(VersionWord(4, 0, 0xC3B60000)));  // Windows 95
    EXPECT_TRUE(IsWindowsVersionSupported(VersionWord(10, 0)));
}

// Runs the probe with Wine reporting `windowsVersion`; what it saw, line by line.
std::string RunVersionProbeUnder(const char* windowsVersion) {
    WineVersionFor version("version_probe.exe", windowsVersion);
    TempDirectory scratch;
    const std::string report = scratch.Join("seen.txt");
    std::string commandLine = "version_probe.exe \"" + report + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const std::string program = ProgramDirectory() + "\\version_probe.exe";
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return "(not started)";
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ReadWholeFile(report);
}

// Win32s, like the Windows 95 family, takes the ANSI calls whatever its code page.
TEST_F(Startup, UnderWindows31OnlyTheVersionMessageShowsAndTheRegistryIsUntouched) {
    EXPECT_EQ(RunVersionProbeUnder("win31"), "outcome 1\n" + ShownThroughTheAnsiCalls(kVersionText) + " / " +
                                                 CaptionThroughTheAnsiCalls() + " [OK] [information]\n");
    EXPECT_FALSE(record_key::Exists());
}

TEST_F(Startup, UnderNt351StartUpGoesOnAndTheCaptionReadsAsWritten) {
    EXPECT_EQ(RunVersionProbeUnder("nt351"), "caption " + std::string(kCaption) + "\noutcome 2\n");
    EXPECT_TRUE(record_key::Exists());
}

// Its wide calls are mostly stubs: the texts take the ANSI calls, as they did
// before the wide ones were there, on a system of any code page.
TEST_F(Startup, UnderWindows95TheCaptionTakesTheAnsiCalls) {
    EXPECT_EQ(RunVersionProbeUnder("win95"), "caption " + CaptionThroughTheAnsiCalls() + "\noutcome 2\n");
}

TEST(TextDisplay, TheWideCallsServeOnlyTheNtFamilyWithAnotherCodePageThatConverts932) {
    EXPECT_TRUE(NeedsWideTexts(VersionWord(4, 0), 1252, true));    // NT 4, Western
    EXPECT_TRUE(NeedsWideTexts(VersionWord(3, 51), 936, true));    // NT 3.51, Chinese
    EXPECT_TRUE(NeedsWideTexts(VersionWord(10, 0), 65001, true));  // UTF-8 as the ANSI code page
    EXPECT_FALSE(NeedsWideTexts(VersionWord(10, 0), 932, true));   // Japanese
    EXPECT_FALSE(NeedsWideTexts(VersionWord(5, 1), 1252, false));  // 932 not installed
    EXPECT_FALSE(NeedsWideTexts(VersionWord(4, 0, 0xC3B60000), 1252, true));  // Windows 95
    EXPECT_FALSE(NeedsWideTexts(VersionWord(4, 90, 0xC0000000), 1251, true));  // Windows Me
}

}  // namespace
