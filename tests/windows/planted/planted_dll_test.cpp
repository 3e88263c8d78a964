// DLLs planted in the demo folder under the names of the system DLLs that the
// launcher loads while it runs are never loaded into it: it takes them from
// the system folder alone, even though Wine is told (WINEDLLOVERRIDES, set by
// CTest) to prefer a DLL found in the program's folder, as Windows does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo_folder.h"
#include "engine_record.h"
#include "launcher_flows.h"
#include "launcher_session.h"
#include "planted_dll_names.h"
#include "resource_ids.h"
#include "temp_directory.h"
#include "waiting.h"

namespace {

constexpr const char* kProbeProgram = "PROBE.EXE";
// Larger than one copy block, so the bar is drawn during the session.
constexpr size_t kDataFileBytes = 150001;

class PlantedDlls : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectories(demoFolder_);
        CopyProgram(LAUNCHER_PROGRAM, kLauncherProgram);
        CopyProgram(ENGINE_PROGRAM, kEngineProgram);
        CopyProgram(PROBE_PROGRAM, kProbeProgram);
        scratch_.WriteFile("demo\\DATA.PAK", std::string(kDataFileBytes, 'd'));
        for (const std::string& name : PlantedDllNames()) CopyProgram(MARKER_DLL, name);
    }

    std::vector<std::string> Environment() const {
        return {"KVE_PLANTED_MARKER=" + MarkerPath(), std::string(kEngineRecordVariable) + "=" + EngineRecordPath()};
    }
    const std::string& DemoFolder() const { return demoFolder_; }
    std::string DemoFile(const std::string& name) const { return demoFolder_ + "\\" + name; }
    std::string InstallDirectory() const { return scratch_.Join("installed"); }
    std::string EngineRecordPath() const { return scratch_.Join("engine.txt"); }
    // What the planted DLLs wrote: one line for each time one of them was loaded.
    std::string Markers() const { return PathExists(MarkerPath()) ? ReadWholeFile(MarkerPath()) : ""; }

private:
    void CopyProgram(const char* builtPath, const std::string& name) const {
        if (!CopyFileA(WindowsPathOf(builtPath).c_str(), DemoFile(name).c_str(), FALSE))
            throw RigFailure(std::string("cannot copy ") + builtPath);
    }
    std::string MarkerPath() const { return scratch_.Join("markers.txt"); }

    TempDirectory scratch_;
    const std::string demoFolder_ = scratch_.Join("demo");
};

TEST_F(PlantedDlls, StayUnloadedThroughInstallUninstallAndPlay) {
    Launcher launcher(DemoFile(kLauncherProgram), DemoFolder(), Environment());
    Install(launcher, InstallDirectory());
    Uninstall(launcher);
    launcher.Main().Click(IDC_PLAY);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(WaitForEngineRecord(EngineRecordPath()).module, DemoFile(kEngineProgram)) << "the session ran to its end";
    EXPECT_EQ(Markers(), "");
}

TEST_F(PlantedDlls, AreLoadedByAProgramThatKeepsTheDefaultSearch) {
    ChildProcess probe(DemoFile(kProbeProgram), DemoFolder(), Environment());
    EXPECT_EQ(probe.WaitForExit(kPatienceMilliseconds), 0u);
    const std::string markers = Markers();
    for (const std::string& name : PlantedDllNames())
        EXPECT_NE(markers.find(DemoFile(name) + " in " + DemoFile(kProbeProgram)), std::string::npos)
            << name << " left no marker (is WINEDLLOVERRIDES set as CTest sets it?): " << markers;
}

}  // namespace
