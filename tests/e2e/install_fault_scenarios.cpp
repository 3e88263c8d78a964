// Faults during the installer's work, as a player meets them: a drive that
// fills up, a source file another program holds, a drive without free
// entries, a registry that refuses the record, a stop at any block, a source
// of more than 4 GiB, an installation changed by hand before its uninstall, a
// second launcher in the same folder, the end of the session.
// Each ends in the launcher's own message, or in none, and leaves only what
// the row of the printed table says.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <random>

#include "fault_table.h"
#include "installer_scenario.h"
#include "launcher_texts.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "waiting.h"

namespace {

using namespace installer_texts;
using Names = std::vector<std::string>;

constexpr std::uint64_t kBlockBytes = 65536;
constexpr std::uint64_t kGibibyte = 1024 * kMebibyte;

std::string Joined(const Names& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
    return joined.empty() ? "nothing" : joined;
}

std::string ParentOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }

class FaultsDuringTheWork : public InstallerScenario {
protected:
    // The copy's closing box is the failure report; OK closes it and the copy,
    // and the flow takes the new directory away.
    static void AcknowledgeFailure(const AppWindow& copy, const ShownMessage& failure) {
        ExpectReport(failure, kCopyFailed);
        failure.Press(IDOK);
        if (!WaitUntil([&] { return !copy.IsOpen(); })) throw RigFailure("the copy dialog stayed open");
    }

    // No directory, its parent kept, no record, install offered. Reading the
    // label waits for the launcher's flow to be back in the main window.
    void ExpectNothingInstalled(const Launcher& launcher, const std::string& target) const {
        EXPECT_EQ(SecondButton(launcher), kInstallLabel);
        EXPECT_FALSE(PathExists(target)) << Joined(EntryNames(target)) << " left inside";
        EXPECT_TRUE(PathExists(ParentOf(target) + "\\.")) << "the parent stays";
        ExpectNoRecord();
    }

    // The row's last column, as measured now.
    static std::string WhatWasLeft(const Launcher& launcher, const std::string& target) {
        std::string left = PathExists(target) ? "the directory, holding " + Joined(EntryNames(target)) : "no directory";
        DWORD type = 0;
        std::string data;
        left += record_key::GetValue("InstallDir", &type, &data) ? "; the record" : "; no record";
        left += SecondButton(launcher) == kInstallLabel ? "; Install offered" : "; Uninstall offered";
        return left;
    }
};

TEST_F(FaultsDuringTheWork, TheDriveFillsUpDuringTheCopy) {
    if (!UseDrive(kSmallDrive)) GTEST_SKIP() << NotMappedReason(kSmallDrive);
    AddSourceFile("MOVIE.PAK", "");
    const std::string target = RootOf(kSmallDrive) + "Q7R";

    const Launcher& launcher = StartLauncher();
    const AppWindow selection = OpenSelection(launcher);
    // The selection has measured the source: the file grows past the drive's room after that.
    AddSparseSourceFile("MOVIE.PAK", 8 * kMebibyte);
    NoteSourceFolder();
    const AppWindow copy = ConfirmInstall(launcher, PressStart(launcher, selection, target), target);
    const ShownMessage failure = WaitForCopyEnd(launcher, copy);
    AcknowledgeFailure(copy, failure);
    ExpectNothingInstalled(launcher, target);
    EXPECT_EQ(EntryNames(RootOf(kSmallDrive) + "."), Names{});
    AddFaultRow({"the drive fills up (R:, 4 MiB; a source file grew to 8 MiB after the selection)",
                 failure.Seen().text, WhatWasLeft(launcher, target)});
    ExitLauncher(launcher);
}

TEST_F(FaultsDuringTheWork, ASourceFileHeldOpenByAnotherProgram) {
    NoteSourceFolder();
    const HeldFile held(DemoFile("SOUND.PAK"));
    const std::string target = ScratchPath("Games\\Q7R");
    CreateDirectoryA(ParentOf(target).c_str(), nullptr);

    const Launcher& launcher = StartLauncher();
    const AppWindow copy = StartCopy(launcher, target);
    const ShownMessage failure = WaitForCopyEnd(launcher, copy);
    AcknowledgeFailure(copy, failure);
    ExpectNothingInstalled(launcher, target);
    AddFaultRow({"a source file held open without sharing by another program", failure.Seen().text,
                 WhatWasLeft(launcher, target)});
    // Again, with a file that the copy wrote held too (a virus scanner, say): the directory stays, named.
    const AppWindow again = StartCopy(launcher, target);
    const ShownMessage failedAgain = WaitForCopyEnd(launcher, again);
    const HeldFile heldCopy(target + "\\" + EntryNames(target).at(0));
    AcknowledgeFailure(again, failedAgain);
    const ShownMessage left = launcher.WaitMessage(launcher.Main());
    ExpectReport(left, DirectoryLeft(target));
    left.Press(IDOK);
    AddFaultRow({"the same, a copied file held too", left.Seen().text, WhatWasLeft(launcher, target)});
    ExitLauncher(launcher);
}

TEST_F(FaultsDuringTheWork, ADestinationFileThatCannotBeCreated) {
    if (!UseDrive(kFewEntriesDrive)) GTEST_SKIP() << NotMappedReason(kFewEntriesDrive);
    NoteSourceFolder();
    const std::string target = RootOf(kFewEntriesDrive) + "Q7R";

    const Launcher& launcher = StartLauncher();
    const AppWindow copy = StartCopy(launcher, target);
    const ShownMessage failure = WaitForCopyEnd(launcher, copy);
    AcknowledgeFailure(copy, failure);
    ExpectNothingInstalled(launcher, target);
    EXPECT_EQ(EntryNames(RootOf(kFewEntriesDrive) + "."), Names{});
    AddFaultRow({"the third file can't be created (S:, no free inode)", failure.Seen().text,
                 WhatWasLeft(launcher, target)});
    ExitLauncher(launcher);
}

// The account may write the directory but not the record's key (a limited
// user of NT, a full registry, a security suite guarding HKEY_USERS): the copy
// is no installation then. Instead of saying that it is finished, the launcher
// says that it could not record it, takes the copy away and keeps offering
// install; once the key can be made, the same directory installs. Refused
// again at the uninstall, the directory goes, and uninstall stays offered.
TEST_F(FaultsDuringTheWork, TheRecordCannotBeWrittenOrDeleted) {
    NoteSourceFolder();
    const std::string target = ScratchPath("Games\\Q7R");
    CreateDirectoryA(ParentOf(target).c_str(), nullptr);

    const Launcher& launcher = StartLauncher();
    {
        const record_key::RefusedKey refused;
        const AppWindow copy = StartCopy(launcher, target);
        const ShownMessage refusal = WaitForCopyEnd(launcher, copy);
        ExpectReport(refusal, kNotRecorded);
        refusal.Press(IDOK);
        if (!WaitUntil([&] { return !copy.IsOpen(); })) throw RigFailure("the copy dialog stayed open");
        ExpectNothingInstalled(launcher, target);
        AddFaultRow({"the record's key refused (a volatile parent key)", refusal.Seen().text,
                     WhatWasLeft(launcher, target)});
    }
    InstallInto(launcher, target);
    ExpectRecordOf(target);
    const record_key::RefusedKey refused;
    // An elevated copy reads the record first: with the key taken away, it
    // finds nothing to uninstall, and the launcher follows the record.
    const bool throughCopy = WorksThroughAnElevatedCopy();
    Uninstall(launcher, IDYES, throughCopy ? "" : kRecordNotDeleted);
    EXPECT_EQ(PathExists(target), throughCopy);
    ExitLauncher(launcher);
}

// Windows shut down, or the player logs off, during the copy: Wine's wineboot
// asks and tells every window that the session ends, then ends the process.
TEST_F(FaultsDuringTheWork, TheSessionEndsDuringTheCopy) {
    AddSparseSourceFile("MOVIE.PAK", 128 * kMebibyte);
    NoteSourceFolder();
    const std::string target = ScratchPath("Q7R");
    const Launcher& launcher = StartLauncher();
    const AppWindow copy = StartCopy(launcher, target);
    ASSERT_TRUE(WaitUntil([&] { return BytesInside(target) >= 8 * kMebibyte; }));
    // The stop question holds the copy between two blocks, however fast it runs here.
    ClickStop(launcher, copy);
    ChildProcess("C:\\windows\\system32\\wineboot.exe", DemoFolder(), {}, "--end-session")
        .WaitForExit(kPatienceMilliseconds);
    launcher.WaitForExit();
    EXPECT_FALSE(PathExists(target)) << Joined(EntryNames(target)) << " left inside";
    ExpectNoRecord();
}

unsigned SeedOfThisRun() {
    const char* chosen = std::getenv("KVE_INTERRUPT_SEED");
    return chosen != nullptr ? unsigned(std::strtoul(chosen, nullptr, 10)) : 20240607u;
}

// Stopped with Yes at 20 blocks drawn from a seeded generator: whatever the
// block, the run leaves no directory, no record and the source as it was.
// The stop lands a few blocks after the one asked for, as a click does.
TEST_F(FaultsDuringTheWork, StoppedWithYesAtTwentyRandomBlocks) {
    const unsigned seed = SeedOfThisRun();
    std::printf("seed %u (KVE_INTERRUPT_SEED=%u repeats this run)\n", seed, seed);
    std::mt19937 random(seed);
    std::uint64_t total = 0;
    for (int part = 0; part < 16; ++part) {
        const std::uint64_t size = 1 + random() % (24 * kMebibyte);
        AddSparseSourceFile("PART" + std::to_string(part) + ".PAK", size);
        total += size;
    }
    NoteSourceFolder();
    const std::string target = ScratchPath("Q7R");

    const Launcher& launcher = StartLauncher();
    for (int run = 0; run < 20; ++run) {
        const std::uint64_t asked = 1 + random() % (total / kBlockBytes / 2);
        const AppWindow copy = StartCopy(launcher, target);
        ASSERT_TRUE(WaitUntil([&] { return BytesInside(target) >= asked * kBlockBytes; }));
        const ShownMessage question = ClickStop(launcher, copy);
        const std::uint64_t stood = BytesInside(target) / kBlockBytes;
        question.Press(IDYES);
        ASSERT_TRUE(WaitUntil([&] { return !copy.IsOpen(); }));
        ExpectNothingInstalled(launcher, target);
        ExpectSourceUnchanged();
        std::printf("run %2d: stop asked at block %5llu, the copy stood at about block %5llu\n", run,
                    static_cast<unsigned long long>(asked), static_cast<unsigned long long>(stood));
    }
    AddFaultRow({"stopped with Yes at 20 random blocks of " + std::to_string(total / kMebibyte) +
                     " MiB in 16 files (seed " + std::to_string(seed) + ")",
                 installer_texts::kStopQuestion, WhatWasLeft(launcher, target) + ", after every run"});
    ExitLauncher(launcher);
}

// 4.5 GiB of sparse source: the size shows its true figure, a small drive is
// refused, a large one accepted, and the bar, in units of 64 KiB, stays
// inside its frame. The copy is stopped early.
TEST_F(FaultsDuringTheWork, ASourceOfFourAndAHalfGibibytes) {
    if (!UseDrive(kSmallDrive)) GTEST_SKIP() << NotMappedReason(kSmallDrive);
    AddSparseSourceFile("MOVIE.PAK", 4 * kGibibyte + kGibibyte / 2);
    NoteSourceFolder();
    const std::uint64_t required = BytesInside(DemoFolder());
    const std::string target = ScratchPath("Q7R");

    const Launcher& launcher = StartLauncher();
    const AppWindow selection = OpenSelection(launcher);
    const std::string sizeText = selection.ControlText(IDC_SIZE_TEXT);
    EXPECT_EQ(sizeText, SizeText(required));
    EXPECT_EQ(sizeText.rfind("インストールに必用な容量 = 4967.", 0), 0u) << "not the 32-bit remainder's 552.x";
    const ShownMessage refusal = PressStart(launcher, selection, RootOf(kSmallDrive) + "Q7R");
    ExpectReport(refusal, installer_texts::kNoRoom);
    refusal.Press(IDOK);

    const AppWindow copy = ConfirmInstall(launcher, PressStart(launcher, selection, target), target);
    MoveToCorner(copy);
    ASSERT_TRUE(WaitUntil([&] { return BytesInside(target) >= 64 * kMebibyte; }));
    const ShownMessage question = ClickStop(launcher, copy);
    const std::uint64_t copied = BytesInside(target);
    const ShownBar bar = ReadProgressBar(copy);
    EXPECT_TRUE(bar.insideFrame);
    EXPECT_EQ(std::uint64_t(bar.width), (bar.frameWidth - 2) * (copied / kBlockBytes) / (required / kBlockBytes))
        << copied << " of " << required << " bytes copied";
    EXPECT_GT(bar.width, 0);
    question.Press(IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !copy.IsOpen(); }));
    ExpectNothingInstalled(launcher, target);
    AddFaultRow({"a source of 4.5 GiB: " + std::to_string(bar.width) + " of " + std::to_string(bar.frameWidth - 2) +
                     " bar pixels after " + std::to_string(copied / kMebibyte) + " MiB; R: refused, stopped",
                 sizeText + " / " + installer_texts::kNoRoom, WhatWasLeft(launcher, target)});
    ExitLauncher(launcher);
}

// What a player may do to the installation before uninstalling it.
struct ChangeByHand {
    const char* name;
    const char* fault;
    std::function<std::unique_ptr<HeldFile>(const std::string& target)> make;
    std::optional<Names> left;  // the directory's entries afterwards; none when it is gone
};

const ChangeByHand kChangesByHand[] = {
    {"DirectoryRemoved", "the installation directory removed by hand before the uninstall",
     [](const std::string& target) {
         RemoveTree(target);
         return std::unique_ptr<HeldFile>();
     },
     std::nullopt},
    {"DirectoryEmptied", "the installation directory emptied by hand before the uninstall",
     [](const std::string& target) {
         for (const std::string& name : EntryNames(target)) DeleteFileA((target + "\\" + name).c_str());
         return std::unique_ptr<HeldFile>();
     },
     std::nullopt},
    {"FileHeldOpen", "an installed file held open without sharing during the uninstall",
     [](const std::string& target) { return std::make_unique<HeldFile>(target + "\\SOUND.PAK"); }, Names{"SOUND.PAK"}},
    {"SubdirectoryAdded", "a subdirectory with a saved game made inside the installation",
     [](const std::string& target) {
         CreateDirectoryA((target + "\\SAVES").c_str(), nullptr);
         std::ofstream(target + "\\SAVES\\SLOT1.DAT", std::ios::binary) << "a saved game";
         return std::unique_ptr<HeldFile>();
     },
     Names{"SAVES"}},
};

// CTest names each case by what this prints.
void PrintTo(const ChangeByHand& change, std::ostream* out) { *out << change.name; }

class UninstallAfterAChangeByHand : public FaultsDuringTheWork,
                                    public ::testing::WithParamInterface<ChangeByHand> {};

// True when the list of what Windows deletes or renames at its next start
// (the NT family's, in the registry) names anything under `path`.
bool IsLeftToTheNextStart(std::string path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return false;
    std::string list(65536, '\0');
    DWORD size = static_cast<DWORD>(list.size());
    const bool read = RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&list[0]), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    list.resize(read ? size : 0);
    std::replace(list.begin(), list.end(), '\0', '\n');
    CharUpperBuffA(&list[0], static_cast<DWORD>(list.size()));
    CharUpperBuffA(&path[0], static_cast<DWORD>(path.size()));
    return list.find(path) != std::string::npos;
}

// Uninstall forgets the record whatever resisted the removal, and after its
// question names the directory when that stays; nothing of it is left to the
// next start of Windows, which is for the launcher's own file alone.
TEST_P(UninstallAfterAChangeByHand, ForgetsTheRecordAndLeavesOnlyWhatResisted) {
    NoteSourceFolder();
    const std::string target = ScratchPath("Q7R");
    const Launcher& launcher = StartLauncher();
    InstallInto(launcher, target);
    const std::unique_ptr<HeldFile> held = GetParam().make(target);

    const std::string report = GetParam().left ? DirectoryLeft(target) : "";
    const std::string asked = Uninstall(launcher, IDYES, report);
    ExpectNoRecord();
    EXPECT_FALSE(IsLeftToTheNextStart(target));
    if (GetParam().left)
        EXPECT_EQ(EntryNames(target), *GetParam().left);
    else
        EXPECT_FALSE(PathExists(target));
    AddFaultRow({GetParam().fault, asked + " [Yes], then " + (report.empty() ? "nothing" : report),
                 WhatWasLeft(launcher, target)});
    ExitLauncher(launcher);
}

INSTANTIATE_TEST_SUITE_P(FaultsDuringTheWork, UninstallAfterAChangeByHand, ::testing::ValuesIn(kChangesByHand),
                         [](const ::testing::TestParamInfo<ChangeByHand>& info) { return std::string(info.param.name); });

// The second launcher starts while the first's copy stands on its stop
// question: nothing is recorded yet, so the second offers install and finds
// the directory taken. The first goes on and records its directory before it
// says that the copy is done. When both install, the record names the later
// directory; an uninstall in the first then removes its own directory and the
// record, and the later one stays on disk without a record.
TEST_F(FaultsDuringTheWork, ASecondLauncherStartedInTheSameFolderDuringAnInstall) {
    AddSparseSourceFile("MOVIE.PAK", 128 * kMebibyte);
    NoteSourceFolder();
    const std::string target = ScratchPath("Q7R");
    const std::string later = ScratchPath("Q7R_LATER");

    const Launcher& first = StartLauncher();
    const AppWindow firstCopy = StartCopy(first, target);
    ASSERT_TRUE(WaitUntil([&] { return BytesInside(target) >= 8 * kMebibyte; }));
    const ShownMessage stop = ClickStop(first, firstCopy);
    const Launcher& second = StartLauncher();
    EXPECT_EQ(SecondButton(second), kInstallLabel) << "no record yet";
    const AppWindow selection = OpenSelection(second);
    const ShownMessage question = PressStart(second, selection, target);
    ExpectQuestion(question, Question(target), IDYES);
    question.Press(IDYES);
    const ShownMessage taken = second.WaitMessage(selection);
    ExpectReport(taken, kAlreadyExists);
    taken.Press(IDOK);

    stop.Press(IDNO);
    const ShownMessage firstFinished = WaitForCopyEnd(first, firstCopy);
    ExpectReport(firstFinished, kCopyFinished);
    ExpectRecordOf(target);
    firstFinished.Press(IDOK);
    WaitForSecondButton(first, kUninstallLabel);
    const AppWindow secondCopy = ConfirmInstall(second, PressStart(second, selection, later), later);
    const ShownMessage secondFinished = WaitForCopyEnd(second, secondCopy);
    ExpectReport(secondFinished, kCopyFinished);
    secondFinished.Press(IDOK);
    WaitForSecondButton(second, kUninstallLabel);
    ExpectRecordOf(later);

    // The launcher uninstalls the directory it installed, but an elevated copy
    // the one that the record names.
    Uninstall(first);
    const bool throughCopy = WorksThroughAnElevatedCopy();
    EXPECT_FALSE(PathExists(throughCopy ? later : target));
    EXPECT_EQ(EntryNames(throughCopy ? target : later), EntryNames(DemoFolder())) << "the other installation stays";
    ExpectNoRecord();
    EXPECT_EQ(SecondButton(second), kUninstallLabel) << "the second still has its own installation";
    AddFaultRow({"a second launcher in the same folder during an install; then both install, the first uninstalls",
                 taken.Seen().text,
                 "first: " + WhatWasLeft(first, target) + " / later: " + WhatWasLeft(second, later)});
    ExitLauncher(first);
    ExitLauncher(second);
}

}  // namespace
