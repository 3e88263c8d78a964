#include "launcher_scenario.h"

#include <windows.h>

#include "demo_folder.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "token_elevation.h"
#include "waiting.h"

namespace {

std::string DemoSource;
std::string ScreenshotFolder;

constexpr const char* kRecordValue = "InstallDir";

// The key stays, as the launcher itself leaves it on a first start.
void ForgetInstallation() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_USERS, record_key::kPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, kRecordValue);
    RegCloseKey(key);
}

}  // namespace

void ConfigureRig(const std::string& demoFolder, const std::string& screenshotFolder) {
    DemoSource = WindowsPathOf(demoFolder);
    ScreenshotFolder = WindowsPathOf(screenshotFolder);
    // In a fresh Wine session the first program that asks for the desktop
    // starts Wine's desktop process: the rig, so that no launcher has it as a
    // child that outlives the scenario.
    GetDesktopWindow();
}

void LauncherScenario::SetUp() {
    ASSERT_TRUE(PathExists(DemoSource + "\\" + kLauncherProgram)) << "no demo folder at " << DemoSource;
    demoFolder_ = ScratchPath("demo");
    CopyFolder(DemoSource, demoFolder_);
    ForgetInstallation();
}

void LauncherScenario::TearDown() {
    for (const Launcher& launcher : launchers_)
        EXPECT_FALSE(launcher.KillIfRunning()) << "the launcher or its engine was still running";
    launchers_.clear();
    ForgetInstallation();
}

void LauncherScenario::RecordInstallation(const std::string& directory) const {
    record_key::SetString(kRecordValue, directory);
}

void LauncherScenario::InstallEngineInto(const std::string& directory) const {
    CreateDirectories(directory);
    CopyFileA(DemoFile(kEngineProgram).c_str(), (directory + "\\" + kEngineProgram).c_str(), FALSE);
}

Launcher& LauncherScenario::StartLauncher() {
    const std::string recordSetting = std::string(kEngineRecordVariable) + "=" + EngineRecordPath();
    return launchers_.emplace_back(DemoFile(kLauncherProgram), demoFolder_, std::vector<std::string>{recordSetting});
}

void LauncherScenario::ExitLauncher(const Launcher& launcher) const {
    launcher.Main().Click(IDC_EXIT);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

EngineRecord LauncherScenario::WaitForEngine() const {
    EngineRecord record = WaitForEngineRecord(EngineRecordPath());
    if (!WaitUntil([&] { return !AnyEngineRunning(); })) throw RigFailure("the engine did not end");
    return record;
}

void LauncherScenario::ExpectPlayersRights(const EngineRecord& engine) const {
    const std::string rig = TokenElevationOfThisProcess();
    if (rig == "yes") return;
    EXPECT_EQ(engine.elevated, rig) << "the engine's token is more elevated than the rig's";
}

bool LauncherScenario::WorksThroughAnElevatedCopy() { return std::string(TokenElevationOfThisProcess()) == "no"; }

namespace {

std::string TokenElevationOfProcess(DWORD id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, id);
    const std::string elevation = process != nullptr ? TokenElevationOf(process) : "gone";
    if (process != nullptr) CloseHandle(process);
    return elevation;
}

}  // namespace

void LauncherScenario::ExpectTheWorkIn(const Launcher& launcher, HWND window) {
    const DWORD worker = ProcessOf(window);
    if (!WorksThroughAnElevatedCopy()) {
        EXPECT_EQ(worker, launcher.ProcessId()) << "the launcher works in its own process";
        return;
    }
    EXPECT_EQ(RunningChildrenOf(launcher.ProcessId()), std::vector<DWORD>{worker}) << "one elevated copy";
    EXPECT_EQ(TokenElevationOfProcess(worker), "yes");
    EXPECT_EQ(TokenElevationOfProcess(launcher.ProcessId()), "no") << "the main window's process";
}

bool LauncherScenario::EngineWasStarted() const { return PathExists(EngineRecordPath()) || AnyEngineRunning(); }

bool LauncherScenario::AnyEngineRunning() const {
    for (const Launcher& launcher : launchers_)
        if (!RunningChildrenOf(launcher.ProcessId()).empty()) return true;
    return false;
}

// Taken on a system whose code page is not Japanese, the name says which it is.
void LauncherScenario::SaveScreenshot(const std::string& name, const Pixels& pixels) const {
    CreateDirectories(ScreenshotFolder);
    const std::string codePage = GetACP() == 932 ? "" : "_cp" + std::to_string(GetACP());
    const std::string path = ScreenshotFolder + "\\" + name + codePage + ".bmp";
    EXPECT_TRUE(SaveBitmapFile(pixels, path)) << "screenshot " << path;
}
