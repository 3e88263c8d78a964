// The demo's life on a player's machine: a first start, an install below an
// existing folder, Play from the installation, a new start that offers
// uninstall, uninstall declined and then done, and an install again; an
// uninstall from the installed copy itself, which Windows finishes at its next
// start. Also the records that name no directory of their own: uninstall
// forgets them but never empties a drive's root, a share or a relative path.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <optional>

#include "child_process.h"
#include "demo_folder.h"
#include "installer_scenario.h"
#include "launcher_texts.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "waiting.h"
#include "wine_version.h"
#include "wininit.h"

namespace {

using namespace installer_texts;

// The directory the selection offers: two levels below a folder every
// Windows has. Its parent is the rig's own in this Wine prefix, removed
// before and after the scenario.
const std::string kOfferedParent = "C:\\Program Files\\Quirn";
const std::string kOfferedDirectory = kOfferedParent + "\\Q7R_DEMO";
// The selection's static text that asks for the directory has no id of its
// own: -1 in the template, which keeps it as the 16-bit 0xFFFF.
constexpr int kSelectionPrompt = 0xFFFF;

class InstallerLifeCycle : public InstallerScenario {
protected:
    InstallerLifeCycle() { RemoveTree(kOfferedParent); }
    ~InstallerLifeCycle() override { RemoveTree(kOfferedParent); }
};

TEST_F(InstallerLifeCycle, FirstStartInstallPlayUninstallAndInstallAgain) {
    record_key::Remove();
    NoteSourceFolder();
    const std::string target = kOfferedDirectory;

    const Launcher& first = StartLauncher();
    EXPECT_EQ(SecondButton(first), kInstallLabel);
    EXPECT_TRUE(record_key::Exists()) << "the first start makes the record's key";
    EXPECT_EQ(record_key::ClassName(), "KVE");
    EXPECT_EQ(record_key::ValueCount(), 0u);
    SaveScreenshot("installer_1_main_window", first.Main().Screenshot());

    const AppWindow selection = OpenSelection(first);
    ExpectTheWorkIn(first, selection.Handle());
    EXPECT_EQ(selection.ControlText(IDC_INSTALL_DIR_EDIT), kOfferedDirectory);
    EXPECT_EQ(selection.ControlText(IDC_SIZE_TEXT), SizeText(BytesInside(DemoFolder())));
    EXPECT_TRUE(selection.ControlShowsItsGlyphs(kSelectionPrompt));
    SaveScreenshot("installer_2_selection", selection.Screenshot());
    const ShownMessage question = PressStart(first, selection);
    SaveScreenshot("installer_3_question", question.Screenshot());
    const AppWindow copy = ConfirmInstall(first, question, target);
    const ShownMessage finished = WaitForCopyEnd(first, copy);
    ExpectTheWorkIn(first, copy.Handle());
    ExpectReport(finished, kCopyFinished);
    EXPECT_TRUE(finished.TextShowsItsGlyphs());
    SaveScreenshot("installer_6_finished", finished.Screenshot());
    finished.Press(IDOK);
    WaitForSecondButton(first, kUninstallLabel);
    SaveScreenshot("installer_7_main_window_installed", first.Main().Screenshot());
    ExpectRecordOf(target);
    EXPECT_EQ(EntryNames(target), EntryNames(DemoFolder()));

    first.Main().Click(IDC_PLAY);
    EXPECT_EQ(first.WaitForExit(), 0u) << "Play closes the launcher";
    const EngineRecord engine = WaitForEngine();
    EXPECT_EQ(engine.module, target + "\\" + kEngineProgram);
    EXPECT_EQ(engine.currentDirectory, DemoFolder()) << "the launcher's own current directory";
    ExpectPlayersRights(engine);

    const Launcher& second = StartLauncher();
    EXPECT_EQ(SecondButton(second), kUninstallLabel);
    const AppWindow main = second.Main();
    main.Click(IDC_INSTALL);
    const ShownMessage uninstallQuestion = second.WaitMessage(main);
    ExpectQuestion(uninstallQuestion, kUninstallQuestion, IDYES);
    EXPECT_TRUE(uninstallQuestion.TextShowsItsGlyphs());
    SaveScreenshot("installer_8_uninstall_question", uninstallQuestion.Screenshot());
    uninstallQuestion.Press(IDNO);
    EXPECT_EQ(SecondButton(second), kUninstallLabel) << "No changes nothing";
    EXPECT_EQ(EntryNames(target), EntryNames(DemoFolder()));
    ExpectRecordOf(target);

    Uninstall(second);
    EXPECT_FALSE(PathExists(target));
    EXPECT_TRUE(PathExists(kOfferedParent)) << "the parent made on the way stays";
    ExpectNoRecord();
    EXPECT_TRUE(record_key::Exists()) << "the key stays, empty";

    InstallInto(second, target);
    ExpectRecordOf(target);
    ExitLauncher(second);
}

// A launcher of the scenario's own is ended with it, even when a step fails.
struct EndedAtLast {
    const Launcher& launcher;
    ~EndedAtLast() { EXPECT_FALSE(launcher.KillIfRunning()) << "the launcher was still running"; }
};

// What Windows does with the deletions left for its next start: Wine's
// wineboot carries out those of WININIT.INI and of the registry.
void RestartWindows() {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    const ChildProcess wineboot(std::string(system) + "\\wineboot.exe", system, {}, "-r");
    if (wineboot.WaitForExit(kPatienceMilliseconds) != 0) throw RigFailure("wineboot -r failed");
}

// The Windows family the installed copy runs on, as Wine reports it.
struct WindowsFamily {
    const char* name;
    const char* wineVersion;  // nullptr: Wine's own, of the NT family
    bool installedAgain;      // the folder deleted and installed to again before the restart
    bool typedShort;          // the directory typed by its parent's short name, in lower case
};

const WindowsFamily kWindowsFamilies[] = {
    {"NtFamily", nullptr, false, false},
    // The record then spells the program's path otherwise than Windows does.
    {"NtFamilyInstalledToAShortPathInLowerCase", nullptr, false, true},
    // Wine carries out MoveFileExA whatever the version, as Windows in a compatibility mode does.
    {"Windows95Family", "win95", false, false},
    {"NtFamilyInstalledAgainBeforeTheRestart", nullptr, true, false},
};

// CTest names each case by what this prints.
void PrintTo(const WindowsFamily& family, std::ostream* out) { *out << family.name; }

// No WININIT.INI before and none after, nor the WININIT.BAK that a restart leaves.
class UninstallFromTheInstalledCopy : public InstallerScenario, public ::testing::WithParamInterface<WindowsFamily> {
protected:
    UninstallFromTheInstalledCopy() { RemoveWininit(); }
    ~UninstallFromTheInstalledCopy() override { RemoveWininit(); }

    // Another program's file, left in WININIT.INI to be deleted at the next start.
    std::string PlantOthersPendingDeletion() const {
        const std::string file = ScratchPath("OTHERS.TMP");
        std::ofstream(file, std::ios::binary) << "another program's leftover";
        std::ofstream(WininitPath(), std::ios::binary) << "[rename]\r\n" << Deletion(file) << "\r\n";
        return file;
    }

    static std::vector<std::string> PendingInWininit() {
        char section[4096] = "";
        GetPrivateProfileSectionA("rename", section, sizeof section, WininitPath().c_str());
        std::vector<std::string> lines;
        for (const char* line = section; *line != '\0'; line += std::strlen(line) + 1) lines.push_back(line);
        return lines;
    }
};

// The player starts the installed copy and uninstalls from there: only its
// own file stays, renamed aside, which Windows deletes when it next starts,
// and with it the directory, but not an installation made there in between.
// The record goes at once, as from the demo folder.
TEST_P(UninstallFromTheInstalledCopy, LeavesItsOwnFileToTheNextStartOfWindows) {
    const std::string target = ScratchPath("Q7R");
    std::string typed = target;
    if (GetParam().typedShort) {
        typed = ShortPathOf(target.substr(0, target.rfind('\\'))) + "\\Q7R";
        CharLowerA(&typed[0]);
    }
    const Launcher& installer = StartLauncher();
    InstallInto(installer, typed);
    ExitLauncher(installer);
    const std::string othersFile = PlantOthersPendingDeletion();
    std::optional<WineVersionFor> version;
    if (GetParam().wineVersion != nullptr) version.emplace(kLauncherProgram, GetParam().wineVersion);

    const Launcher installed(target + "\\" + kLauncherProgram, target, {});
    const EndedAtLast ended{installed};
    EXPECT_EQ(SecondButton(installed), kUninstallLabel);
    Uninstall(installed);
    ExpectNoRecord();
    EXPECT_EQ(EntryNames(target), std::vector<std::string>{"~KVEDEL0.TMP"}) << "its own file, renamed aside";
    EXPECT_EQ(PendingInWininit(), std::vector<std::string>{Deletion(othersFile)}) << "MoveFileExA took it";
    ExitLauncher(installed);
    if (GetParam().installedAgain) {
        RemoveTree(target);
        const Launcher& again = StartLauncher();
        InstallInto(again, target);
        ExitLauncher(again);
    }

    RestartWindows();
    EXPECT_FALSE(PathExists(othersFile));
    EXPECT_EQ(PathExists(target), GetParam().installedAgain) << "the directory goes too, but for a new installation";
    if (GetParam().installedAgain) {
        EXPECT_EQ(EntryNames(target), EntryNames(DemoFolder())) << "the new launcher too";
    }
}

INSTANTIATE_TEST_SUITE_P(Installer, UninstallFromTheInstalledCopy, ::testing::ValuesIn(kWindowsFamilies),
                         [](const ::testing::TestParamInfo<WindowsFamily>& info) {
                             return std::string(info.param.name);
                         });

// The launcher runs from a copy of the demo folder on the spare drive, whose
// root holds a file of the player's: nothing real is at risk.
struct RecordWithoutADirectory {
    const char* name;
    const char* recorded;  // "T:" stands for the spare drive
};

const RecordWithoutADirectory kRecordsWithoutADirectory[] = {
    {"DriveRoot", "T:\\"},
    {"DriveRootWithDot", "T:\\."},
    // The three below name the demo folder on the spare drive, the launcher's current directory.
    {"BareDrive", "T:"},
    {"CurrentDirectory", "."},
    {"RelativePath", "..\\DEMO"},
    {"ShareRoot", "\\\\server\\share"},
};

// CTest names each case by what this prints.
void PrintTo(const RecordWithoutADirectory& record, std::ostream* out) { *out << record.name; }

class UninstallOfARecordWithoutADirectory : public InstallerScenario,
                                            public ::testing::WithParamInterface<RecordWithoutADirectory> {};

TEST_P(UninstallOfARecordWithoutADirectory, ForgetsTheRecordAndDeletesNothing) {
    if (!UseDrive(kSpareDrive)) GTEST_SKIP() << NotMappedReason(kSpareDrive);
    const std::string root = RootOf(kSpareDrive);
    const std::string demo = root + "DEMO";
    CopyFolder(DemoFolder(), demo);
    std::ofstream(root + "PLAYER.TXT", std::ios::binary) << "the player's own file";
    std::string recorded = GetParam().recorded;
    if (recorded[0] == 'T') recorded[0] = kSpareDrive.letter;
    RecordInstallation(recorded);
    const FolderManifest rootBefore = TakeManifest(root + ".");
    const FolderManifest demoBefore = TakeManifest(demo);

    const Launcher launcher(demo + "\\" + kLauncherProgram, demo, {});
    const EndedAtLast ended{launcher};
    EXPECT_EQ(SecondButton(launcher), kUninstallLabel);
    // Each names a directory that stays, but the share root, which is not there.
    Uninstall(launcher, IDYES, recorded.rfind("\\\\", 0) == 0 ? "" : DirectoryLeft(recorded));
    launcher.Main().Click(IDC_EXIT);
    EXPECT_EQ(launcher.WaitForExit(), 0u);

    ExpectNoRecord();
    EXPECT_EQ(TakeManifest(root + "."), rootBefore);
    EXPECT_EQ(TakeManifest(demo), demoBefore);
}

INSTANTIATE_TEST_SUITE_P(Installer, UninstallOfARecordWithoutADirectory,
                         ::testing::ValuesIn(kRecordsWithoutADirectory),
                         [](const ::testing::TestParamInfo<RecordWithoutADirectory>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
