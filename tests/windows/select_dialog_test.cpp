// The directory selection, run from its real template with a scratch source
// directory made current; its message boxes are read and answered as a user
// would, and the directories it makes are looked at on the real drive.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "broken_listing.h"
#include "deletion_at_restart.h"
#include "dialog_procs.h"
#include "dialog_script.h"
#include "import_slots.h"
#include "installer_scene.h"
#include "message_boxes.h"
#include "resource_ids.h"
#include "shared_state.h"
#include "temp_directory.h"
#include "wide_text.h"
#include "wininit.h"

namespace {

using Texts = std::vector<std::string>;

const char kNoDirectory[] = "ディレクトリを指定してください。";
const char kNetworkDrive[] = "ネットワークドライブにはインストールできません。";
const char kBadDrive[] = "指定ドライブにはインストールできません。";
const char kNoRoom[] = "指定ドライブの空き容量が不足しています。";
const char kAlreadyExists[] = "ディレクトリがすでに存在します。";
const char kCannotCreate[] = "ディレクトリが作成できません。";
const char kCopyFailed[] = "インストールに失敗しました。";

std::string Question(const std::string& path) { return "ディレクトリ\"" + path + "\"にインストールを行います。"; }

// The first drive letter from Q on that names no drive.
DialogScript& PressEnter(DialogScript& script) {
    return script.Do([](HWND dialog) {
        PostMessageA(GetDlgItem(dialog, IDC_INSTALL_DIR_EDIT), WM_KEYDOWN, VK_RETURN, 0);
    });
}

class DirectorySelection : public ::testing::Test {
protected:
    DirectorySelection() {
        LoadLauncherState();
        InstalledDir[0] = '\0';
    }

    static INT_PTR Run(DialogScript& script) { return script.Run("DLG_SELECT", DlgSelectProc); }

    // Types the text and presses start; a dialog that stays is left with stop.
    static INT_PTR Choose(const std::string& text) {
        DialogScript script;
        script.SetText(IDC_INSTALL_DIR_EDIT, text).Click(IDC_START_INSTALL).Click(IDC_STOP);
        return Run(script);
    }

    void ExpectOnlyReports() const {
        for (const SeenMessageBox& box : boxes_.Seen()) EXPECT_TRUE(IsReport(box)) << box.text;
    }

    TempDirectory source_;
    CurrentDirectory inSource_{source_.Path()};
    TempDirectory target_;
    MessageBoxAnswerer boxes_;
};

// What a control of DLG_SELECT shows once it has opened in the current directory.
std::string TextShownIn(int controlId) {
    std::string shown;
    DialogScript script;
    script.Do([&](HWND dialog) { shown = ControlText(dialog, controlId); }).Click(IDC_STOP);
    script.Run("DLG_SELECT", DlgSelectProc);
    return shown;
}

// The size text shown for a source directory holding files of these sizes.
std::string SizeTextFor(const std::vector<std::uint64_t>& sizes) {
    TempDirectory source;
    for (std::size_t i = 0; i < sizes.size(); ++i) WriteSizedFile(source.Join("file" + std::to_string(i)), sizes[i]);
    CurrentDirectory inSource(source.Path());
    return TextShownIn(IDC_SIZE_TEXT);
}

TEST_F(DirectorySelection, SizeIsShownInTruncatedTenthsOf97280Bytes) {
    EXPECT_EQ(SizeTextFor({}), "インストールに必用な容量 =   0.0 M byte");
    EXPECT_EQ(SizeTextFor({97279}), "インストールに必用な容量 =   0.0 M byte");
    EXPECT_EQ(SizeTextFor({97280}), "インストールに必用な容量 =   0.1 M byte");
    EXPECT_EQ(SizeTextFor({1048576}), "インストールに必用な容量 =   1.0 M byte");
    EXPECT_EQ(SizeTextFor({4000000, 6000000}), "インストールに必用な容量 =  10.2 M byte");
    EXPECT_EQ(SizeTextFor({1000000000}), "インストールに必用な容量 = 1027.9 M byte");
    EXPECT_TRUE(boxes_.Seen().empty());
}

TEST_F(DirectorySelection, HiddenAndSystemFilesCountButNotWhatSubdirectoriesHold) {
    WriteFileWithAttributes(source_.Join("hidden.dat"), std::string(600000, 'h'), FILE_ATTRIBUTE_HIDDEN);
    WriteFileWithAttributes(source_.Join("system.dat"), std::string(400000, 's'), FILE_ATTRIBUTE_SYSTEM);
    WriteSizedFile(source_.Join("plain.dat"), 48576);
    CreateDirectoryA(source_.Join("sub").c_str(), nullptr);
    WriteSizedFile(source_.Join("sub\\inner.dat"), 5000000);
    EXPECT_EQ(TextShownIn(IDC_SIZE_TEXT), "インストールに必用な容量 =   1.0 M byte");
    EXPECT_EQ(RequiredBytes, 1048576u);
}

// A listing that breaks while the size is counted fails the install there,
// as it would fail the copy: the size would be short of the files.
TEST_F(DirectorySelection, AListingThatBreaksWhileTheSizeIsCountedFailsTheInstall) {
    for (const char* name : {"a.bin", "b.bin"}) WriteSizedFile(source_.Join(name), 1000);
    DialogScript script;
    script.Click(IDC_STOP);
    INT_PTR result = 0;
    {
        const BrokenListing listing(3, ERROR_NETNAME_DELETED);
        result = Run(script);
        EXPECT_EQ(listing.FailedCalls(), 1);
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(boxes_.Texts(), Texts{kCopyFailed});
    ExpectOnlyReports();
}

TEST_F(DirectorySelection, ASourceFolderMovedAwayFailsTheInstall) {
    MoveCurrentFolderAway(source_);
    DialogScript script;
    EXPECT_EQ(Run(script.Click(IDC_STOP)), 0);
    EXPECT_EQ(boxes_.Texts(), Texts{kCopyFailed});
}

TEST_F(DirectorySelection, OffersTheWindowsDriveWithTheDefaultDirectory) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(TextShownIn(IDC_INSTALL_DIR_EDIT), std::string(windows, 2) + "\\Program Files\\Quirn\\Q7R_DEMO");
}

TEST_F(DirectorySelection, EachRefusalIsReportedAndTheDialogWaits) {
    const std::string missingDrive = UnmappedDrive() + "\\Q7R";
    DialogScript script;
    script.SetText(IDC_INSTALL_DIR_EDIT, "");
    PressEnter(script);  // Enter presses the default button, start
    script.SetText(IDC_INSTALL_DIR_EDIT, "\\\\server\\share\\x").Click(IDC_START_INSTALL);
    script.SetText(IDC_INSTALL_DIR_EDIT, missingDrive).Click(IDC_START_INSTALL);
    script.Click(IDC_STOP);
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(boxes_.Texts(), (Texts{kNoDirectory, kNetworkDrive, kBadDrive}));
    ExpectOnlyReports();
    EXPECT_STREQ(InstalledDir, missingDrive.c_str()) << "the refused path stays";
}

// 259 bytes and a terminator fill the path buffer; one byte more can't be had.
TEST_F(DirectorySelection, PathsLongerThan259BytesCannotBeCreated) {
    const std::string typedFits = "C:\\" + std::string(256, 'a');
    const std::string relativeFits(kPathCapacity - 2 - source_.Path().size(), 'b');
    DialogScript script;
    for (const std::string& text : {typedFits, typedFits + "a", relativeFits, relativeFits + "b"})
        script.SetText(IDC_INSTALL_DIR_EDIT, text).Click(IDC_START_INSTALL);
    script.Click(IDC_STOP);
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(boxes_.Texts(),
              (Texts{Question(typedFits), kCannotCreate, Question(source_.Join(relativeFits)), kCannotCreate}));
    EXPECT_TRUE(IsReport(boxes_.Seen().at(1)));
    EXPECT_TRUE(IsReport(boxes_.Seen().at(3)));
    EXPECT_TRUE(EntryNames(source_.Path()).empty());
}

TEST_F(DirectorySelection, TooLittleRoomIsRefusedBeforeAnyQuestion) {
    ULARGE_INTEGER available;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, nullptr, nullptr));
    WriteSizedFile(source_.Join("huge.dat"), available.QuadPart + (std::uint64_t(1) << 30));
    EXPECT_EQ(Choose(target_.Join("Q7R")), 0);
    EXPECT_EQ(boxes_.Texts(), Texts{kNoRoom});
    ExpectOnlyReports();
    EXPECT_FALSE(PathExists(target_.Join("Q7R")));
}

TEST_F(DirectorySelection, TheQuestionNamesTheFullPathAndNoLeavesTheDiskAlone) {
    const std::string full = source_.Join("later");
    DialogScript script;
    script.SetText(IDC_INSTALL_DIR_EDIT, "later").Click(IDC_START_INSTALL).Click(IDC_START_INSTALL).Click(IDC_STOP);
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(boxes_.Texts(), (Texts{Question(full), Question(full)}));
    for (const SeenMessageBox& box : boxes_.Seen()) EXPECT_TRUE(IsQuestion(box, IDYES));
    EXPECT_FALSE(PathExists(full));
}

TEST_F(DirectorySelection, YesCreatesTheMissingParentThenTheDirectory) {
    const std::string chosen = target_.Join("Quirn\\Q7R_DEMO");
    boxes_.Answer(IDYES);
    EXPECT_EQ(Choose(chosen), 1);
    EXPECT_EQ(boxes_.Texts(), Texts{Question(chosen)});
    EXPECT_STREQ(InstalledDir, chosen.c_str());
    EXPECT_EQ(EntryNames(target_.Path()), Texts{"Quirn"});
    EXPECT_EQ(EntryNames(target_.Join("Quirn")), Texts{"Q7R_DEMO"});
    EXPECT_TRUE(EntryNames(chosen).empty());
}

TEST_F(DirectorySelection, AnExistingDirectoryIsRefusedAndTheDialogStays) {
    boxes_.Answer(IDYES);
    EXPECT_EQ(Choose(target_.Path()), 0);
    EXPECT_EQ(boxes_.Texts(), (Texts{Question(target_.Path()), kAlreadyExists}));
    EXPECT_TRUE(IsReport(boxes_.Seen().back()));
}

// ソ and 表 end in the byte of a backslash (83 5C, 95 5C): a directory named
// with them is neither split there nor cut short as if it ended in one.
TEST_F(DirectorySelection, DirectoriesNamedWithDoubleByteCharactersAreCreatedAsTyped) {
    boxes_.Answer(IDYES);
    boxes_.Answer(IDYES);
    EXPECT_EQ(Choose(target_.Join("ソフト\\表")), 1);
    EXPECT_STREQ(InstalledDir, target_.Join("ソフト\\表").c_str());
    EXPECT_EQ(Choose(target_.Join("ソフト\\表\\x")), 1);
    EXPECT_EQ(EntryNames(target_.Path()), Texts{"ソフト"});
    EXPECT_EQ(EntryNames(target_.Join("ソフト")), Texts{"表"});
    EXPECT_EQ(EntryNames(target_.Join("ソフト\\表")), Texts{"x"});
}

// In code page 1252 é (E9) is a letter, where in 932 it would open a
// double-byte character and hide the backslash after it. Runs in a CTest
// entry of its own under code page 1252, and only there.
TEST_F(DirectorySelection, UnderCodePage1252EveryBackslashSeparates) {
    if (GetACP() != 1252) GTEST_SKIP() << "the system's code page is " << GetACP();
    const std::string cafe = target_.Join("Spiele\\Caf\xe9");
    boxes_.Answer(IDYES);
    EXPECT_EQ(Choose(cafe + "\\Q7R\\"), 1);
    EXPECT_STREQ(InstalledDir, (cafe + "\\Q7R").c_str());
    EXPECT_EQ(EntryNames(target_.Join("Spiele")), Texts{"Caf\xe9"});
    EXPECT_EQ(EntryNames(cafe), Texts{"Q7R"});
}

// Where the code page is not Japanese the question takes the wide calls: its
// own texts converted from code page 932, the directory from the system's.
TEST_F(DirectorySelection, UnderCodePage1252TheQuestionShowsTheDirectoryAsTyped) {
    if (GetACP() != 1252) GTEST_SKIP() << "the system's code page is " << GetACP();
    const std::string cafe = target_.Join("Caf\xe9");
    EXPECT_EQ(Choose(cafe), 0);
    ASSERT_EQ(boxes_.Seen().size(), 1u);
    EXPECT_EQ(boxes_.Seen()[0].wideText,
              Widened("ディレクトリ\"", 932) + Widened(cafe, 1252) + Widened("\"にインストールを行います。", 932));
    EXPECT_FALSE(PathExists(cafe)) << "answered No";
}

// The texts take a Japanese font there; the edit control, which shows the
// player's own path in the system's code page, keeps the system font.
TEST_F(DirectorySelection, UnderCodePage1252TheEditKeepsTheSystemFont) {
    if (GetACP() != 1252) GTEST_SKIP() << "the system's code page is " << GetACP();
    HGDIOBJ editFont = nullptr;
    LOGFONTW sizeLineFont = {};
    DialogScript script;
    script.Do([&](HWND dialog) {
        editFont = ControlFont(dialog, IDC_INSTALL_DIR_EDIT);
        GetObjectW(ControlFont(dialog, IDC_SIZE_TEXT), sizeof sizeLineFont, &sizeLineFont);
    });
    script.Click(IDC_STOP);
    EXPECT_EQ(Run(script), 0);
    EXPECT_EQ(editFont, nullptr);
    EXPECT_EQ(sizeLineFont.lfCharSet, SHIFTJIS_CHARSET);
}

TEST_F(DirectorySelection, ATrailingBackslashNamesTheDirectoryItself) {
    const std::string chosen = target_.Join("fresh");
    boxes_.Answer(IDYES);
    EXPECT_EQ(Choose(chosen + "\\"), 1);
    EXPECT_EQ(boxes_.Texts(), Texts{Question(chosen)});
    EXPECT_STREQ(InstalledDir, chosen.c_str());
    EXPECT_EQ(EntryNames(target_.Path()), Texts{"fresh"});
}

TEST_F(DirectorySelection, EscDoesNothingAndStopEndsWithZero) {
    bool stayedOpen = false;
    DialogScript script;
    script.Do([](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDC_INSTALL_DIR_EDIT), WM_KEYDOWN, VK_ESCAPE, 0); });
    script.Do([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    script.Do([&](HWND) { stayedOpen = true; }).Click(IDC_STOP);
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(boxes_.Seen().empty());
    EXPECT_TRUE(EntryNames(target_.Path()).empty());
}

// The 95 family's MoveFileExA, a stub that fails, as this program's
// GetProcAddress gives it while its import slots lead here.
FARPROC(WINAPI* RealGetProcAddress)(HMODULE, LPCSTR);

BOOL WINAPI MoveFileExOf95Family(LPCSTR, LPCSTR, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

FARPROC WINAPI GetProcAddressOf95Family(HMODULE module, LPCSTR name) {
    if (HIWORD(name) == 0 || lstrcmpA(name, "MoveFileExA") != 0) return RealGetProcAddress(module, name);
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&MoveFileExOf95Family));
}

// On the 95 family an uninstall from the installed copy leaves the launcher's
// file to WININIT.INI; the player deletes the folder and installs there again
// before Windows restarts: the install drops that line, and only it. A
// section too large to read whole is left as it is at both.
class WininitOf95Family : public DirectorySelection, public ::testing::WithParamInterface<int> {
protected:
    WininitOf95Family() { RemoveWininit(); }
    ~WininitOf95Family() override { RemoveWininit(); }
};

TEST_P(WininitOf95Family, TheInstallDropsTheLinesInsideItsNewDirectory) {
    const std::string installed = target_.Join("Q7R");
    const std::string launcher = installed + "\\SETUP.EXE";
    const std::string others = target_.Join("OTHERS.TMP");
    CreateDirectoryA(installed.c_str(), nullptr);
    for (const std::string& file : {launcher, others}) WriteSizedFile(file, 1);
    std::string wininit = "[rename]\r\n" + Deletion(others) + "\r\n";
    for (int i = 0; i < GetParam(); ++i) wininit += Deletion(installed) + "\\OLD" + std::to_string(i) + ".TMP\r\n";
    std::ofstream(WininitPath(), std::ios::binary) << wininit;
    const bool tooLarge = wininit.size() > 32768;

    {
        const StandIn lookUp("KERNEL32.dll", "GetProcAddress", reinterpret_cast<void*>(&GetProcAddressOf95Family));
        RealGetProcAddress = lookUp.Real<decltype(RealGetProcAddress)>();
        EXPECT_FALSE(DeleteAtNextStart(launcher.c_str(), installed.c_str())) << "the directory stays";
    }
    EXPECT_EQ(EntryNames(installed), Texts{"SETUP.EXE"}) << "under its own name";
    EXPECT_EQ(ReadWholeFile(WininitPath()), tooLarge ? wininit : wininit + Deletion(launcher) + "\r\n");

    RemoveTree(installed);
    boxes_.Answer(IDYES);
    EXPECT_EQ(Choose(installed), 1);
    EXPECT_EQ(ReadWholeFile(WininitPath()), wininit) << "as it was before the uninstall";
}

// Old deletions inside the directory besides the other program's: none, or over 32 KiB of them.
INSTANTIATE_TEST_SUITE_P(Selection, WininitOf95Family, ::testing::Values(0, 1200),
                         [](const auto& info) { return info.param == 0 ? "OthersLine" : "SectionOver32KiB"; });

// Where each install dialog stands once it has opened.
RECT PlacedRect;

template <DLGPROC Procedure>
INT_PTR CALLBACK NotingPlacement(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const INT_PTR handled = Procedure(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG) GetWindowRect(dialog, &PlacedRect);
    return handled;
}

POINT PlacedCorner(const char* templateName, DLGPROC procedure, const RECT& screen) {
    ScreenRect = screen;
    DialogScript script;
    script.Click(IDC_STOP).Run(templateName, procedure);
    return POINT{PlacedRect.left, PlacedRect.top};
}

// The copy dialog, with nothing to copy, opens, reports and ends.
class InstallDialogPlacement : public DirectorySelection,
                               public ::testing::WithParamInterface<std::pair<const char*, DLGPROC>> {
protected:
    InstallDialogPlacement() { WriteFileWithAttributes(source_.Join("hidden.dat"), "h", FILE_ATTRIBUTE_HIDDEN); }
};

TEST_P(InstallDialogPlacement, IsCentredCountingOnePixelMoreEachWay) {
    const auto [templateName, procedure] = GetParam();
    PlacedCorner(templateName, procedure, RECT{0, 0, 1024, 768});
    const LONG width = PlacedRect.right - PlacedRect.left + 1;
    const LONG height = PlacedRect.bottom - PlacedRect.top + 1;

    const POINT centred = PlacedCorner(templateName, procedure, RECT{300, 200, width + 201, height + 61});
    EXPECT_EQ(centred.x, 100);
    EXPECT_EQ(centred.y, 30);
    // On a screen smaller than the dialog the odd halves truncate toward zero.
    const POINT beyond = PlacedCorner(templateName, procedure, RECT{0, 0, width - 7, height - 5});
    EXPECT_EQ(beyond.x, -3);
    EXPECT_EQ(beyond.y, -2);
}

INSTANTIATE_TEST_SUITE_P(BothInstallDialogs, InstallDialogPlacement,
                         ::testing::Values(std::make_pair("DLG_SELECT", &NotingPlacement<DlgSelectProc>),
                                           std::make_pair("DLG_INST", &NotingPlacement<DlgInstallProc>)),
                         [](const auto& info) { return std::string(info.param.first); });

}  // namespace
