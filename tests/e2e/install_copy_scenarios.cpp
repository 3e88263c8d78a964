// The copy as a player meets it: the demo's plain files arrive byte for byte,
// a drive with too little room is refused, and a long copy stops when the
// stop button is clicked with the mouse and the question answered Yes.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "launcher_texts.h"
#include "installer_scenario.h"
#include "resource_ids.h"
#include "waiting.h"
#include "window_finding.h"

namespace {

using namespace installer_texts;
using Names = std::vector<std::string>;

constexpr std::uint64_t kLargeCopyBytes = 300 * kMebibyte;

class InstallerCopy : public InstallerScenario {
protected:
    // The demo folder's plain files, neither directories nor hidden nor system
    // files: the ones a copy takes.
    Names PlainSourceFiles() const {
        const DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        Names plain;
        for (const std::string& name : EntryNames(DemoFolder()))
            if ((GetFileAttributesA(DemoFile(name).c_str()) & notPlain) == 0) plain.push_back(name);
        return plain;
    }

    // The target holds the demo's plain files and nothing else, byte for byte.
    void ExpectPlainFilesCopiedInto(const std::string& target) const {
        const Names copied = PlainSourceFiles();
        EXPECT_EQ(EntryNames(target), copied) << "hidden files and folders stay behind";
        for (const std::string& name : copied)
            EXPECT_TRUE(ReadWholeFile(target + "\\" + name) == ReadWholeFile(DemoFile(name))) << name << " differs";
    }

    static bool AnyBoxOf(const Launcher& launcher) {
        WindowQuery query;
        query.processId = launcher.ProcessId();
        query.orItsChildren = true;
        query.messageBox = true;
        return FindWindowFitting(query) != nullptr;
    }
};

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Wine's name of a file on the Unix side.
std::string UnixPathOf(const std::string& windowsPath) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixFileName == nullptr) throw RigFailure("the rig runs outside Wine");
    std::wstring wide(windowsPath.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char* unixPath = unixFileName(wide.c_str());
    if (unixPath == nullptr) throw RigFailure("no Unix name for " + windowsPath);
    const std::string path = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return path;
}

// Seconds that cp takes to copy the files into `directory`. Wine starts a
// Unix program as it starts a Windows one but can't wait for its end, so a
// shell times the copy and leaves the figure in a file once it is done.
double SecondsOfCp(const Names& files, const std::string& directory, const std::string& figureFile) {
    std::string script = "s=$(date +%s%N); cp";
    for (const std::string& file : files) script += " '" + UnixPathOf(file) + "'";
    const std::string figure = UnixPathOf(figureFile);
    script += " '" + UnixPathOf(directory) + "' && e=$(date +%s%N) && echo $((e - s)) > '" + figure +
              ".part' && mv '" + figure + ".part' '" + figure + "'";
    std::string commandLine = "sh -c \"" + script + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA("Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        throw RigFailure("cannot start sh");
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    if (!WaitUntil([&] { return PathExists(figureFile); })) throw RigFailure("cp did not finish: " + script);
    return std::stod(ReadWholeFile(figureFile)) / 1e9;
}

double MebibytesPerSecond(std::uint64_t bytes, double seconds) { return double(bytes) / kMebibyte / seconds; }

bool IsWritable(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) == 0;
}

TEST_F(InstallerCopy, PlainFilesArriveByteForByteAndTheRestStaysBehind) {
    AddSourceFile("EMPTY.DAT", "");
    AddSourceFile("BLOCK.DAT", PatternBytes(65536));
    AddSourceFile("BLOCK1.DAT", PatternBytes(65537));
    AddSourceFile("MANUAL.TXT", "read me, do not change me", FILE_ATTRIBUTE_READONLY);
    AddSourceFile("SECRET.DAT", "hidden", FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA(DemoFile("SAVES").c_str(), nullptr);
    AddSourceFile("SAVES\\SLOT1.DAT", "a save");
    NoteSourceFolder();
    const std::string target = ScratchPath("Q7R");

    const Launcher& launcher = StartLauncher();
    InstallInto(launcher, target);
    ExitLauncher(launcher);

    ExpectPlainFilesCopiedInto(target);
    EXPECT_TRUE(IsWritable(target + "\\MANUAL.TXT")) << "the read-only file's copy";
    ExpectRecordOf(target);
}

TEST_F(InstallerCopy, ADriveWithTooLittleRoomIsRefusedAndNothingIsMadeThere) {
    if (!UseDrive(kSmallDrive)) GTEST_SKIP() << NotMappedReason(kSmallDrive);
    AddSparseSourceFile("MOVIE.PAK", 8 * kMebibyte);
    NoteSourceFolder();

    const Launcher& launcher = StartLauncher();
    const AppWindow selection = OpenSelection(launcher);
    const ShownMessage refusal = PressStart(launcher, selection, RootOf(kSmallDrive) + "Q7R");
    ExpectReport(refusal, installer_texts::kNoRoom);
    refusal.Press(IDOK);
    EXPECT_TRUE(selection.IsOpen()) << "the selection waits for another directory";
    selection.Click(IDC_STOP);
    EXPECT_TRUE(WaitUntil([&] { return !selection.IsOpen(); }));
    EXPECT_EQ(SecondButton(launcher), kInstallLabel);
    ExitLauncher(launcher);

    EXPECT_EQ(EntryNames(RootOf(kSmallDrive) + "."), Names{});
    ExpectNoRecord();
}

TEST_F(InstallerCopy, AWholeCopyOfManyMebibytesArrivesByteForByteAndIsTimedBesideCp) {
    for (int i = 0; i < 8; ++i) {
        std::string bytes = PatternBytes(16 * kMebibyte);
        std::rotate(bytes.begin(), bytes.begin() + i * 4099, bytes.end());
        AddSourceFile("DATA" + std::to_string(i) + ".PAK", bytes);
    }
    NoteSourceFolder();
    const std::string target = ScratchPath("Q7R");

    const Launcher& launcher = StartLauncher();
    const ShownMessage question = PressStart(launcher, OpenSelection(launcher), target);
    const Clock::time_point start = Clock::now();
    const AppWindow copy = ConfirmInstall(launcher, question, target);
    const ShownMessage finished = WaitForCopyEnd(launcher, copy);
    const double launcherSeconds = SecondsSince(start);
    ExpectReport(finished, kCopyFinished);
    finished.Press(IDOK);
    WaitForSecondButton(launcher, kUninstallLabel);
    ExitLauncher(launcher);

    ExpectPlainFilesCopiedInto(target);

    const std::string byCp = ScratchPath("by_cp");
    CreateDirectoryA(byCp.c_str(), nullptr);
    Names sources;
    for (const std::string& name : PlainSourceFiles()) sources.push_back(DemoFile(name));
    const double cpSeconds = SecondsOfCp(sources, byCp, ScratchPath("cp_nanoseconds.txt"));
    EXPECT_EQ(BytesInside(byCp), BytesInside(target)) << "cp copied the same files";

    const std::uint64_t bytes = BytesInside(target);
    std::printf("copy of %.1f MiB: the launcher %.2f s (%.0f MiB/s, from Yes to its closing message), "
                "cp %.2f s (%.0f MiB/s)\n",
                double(bytes) / kMebibyte, launcherSeconds, MebibytesPerSecond(bytes, launcherSeconds), cpSeconds,
                MebibytesPerSecond(bytes, cpSeconds));
}

// The stop button is clicked with the real mouse: the click waits in the
// queue until a step of the copy lets it through, as a player's does.
TEST_F(InstallerCopy, ALargeCopyStopsOnlyWhenTheQuestionIsAnsweredYes) {
    AddSparseSourceFile("MOVIE.PAK", kLargeCopyBytes);
    NoteSourceFolder();
    const std::string games = ScratchPath("Games");
    CreateDirectoryA(games.c_str(), nullptr);
    const std::string target = games + "\\Quirn\\Q7R_DEMO";
    const std::string movie = target + "\\MOVIE.PAK";

    const Launcher& launcher = StartLauncher();
    const AppWindow copy = StartCopy(launcher, target);
    MoveToCorner(copy);
    ASSERT_TRUE(WaitUntil([&] { return FileSize(movie) >= kLargeCopyBytes / 5; }));
    const ShownMessage firstQuestion = ClickStop(launcher, copy);
    EXPECT_TRUE(firstQuestion.TextShowsItsGlyphs());
    SaveScreenshot("installer_4_copying", copy.Screenshot());
    SaveScreenshot("installer_5_stop_question", firstQuestion.Screenshot());
    const std::uint64_t standing = FileSize(movie);
    Sleep(200);
    EXPECT_EQ(FileSize(movie), standing) << "the copy stands still while the question is open";
    firstQuestion.Press(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return FileSize(movie) > standing; })) << "No lets the copy go on";

    const ShownMessage secondQuestion = ClickStop(launcher, copy);
    const std::uint64_t partly = FileSize(movie);
    EXPECT_LT(partly, kLargeCopyBytes) << "stopped in the middle of the file";
    secondQuestion.Press(IDYES);
    EXPECT_TRUE(WaitUntil([&] { return !copy.IsOpen(); }));
    // The partly written file could only be deleted once the copy had closed it.
    EXPECT_TRUE(WaitUntil([&] { return !PathExists(target); })) << EntryNames(target).size() << " files left";
    EXPECT_FALSE(AnyBoxOf(launcher)) << "Yes ends the copy without a further message";
    EXPECT_TRUE(PathExists(games + "\\Quirn")) << "the parent made for it stays";
    EXPECT_EQ(SecondButton(launcher), kInstallLabel);
    ExitLauncher(launcher);
    ExpectNoRecord();
}

}  // namespace
