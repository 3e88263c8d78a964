// A scenario starts the real launcher from a fresh copy of the demo folder,
// with the stand-in engine telling how it was started, and ends with nothing
// of it left running and no install record.
#pragma once

#include <gtest/gtest.h>

#include <list>
#include <string>

#include "engine_record.h"
#include "launcher_session.h"
#include "screen_pixels.h"
#include "temp_directory.h"

// Where the demo folder is and where screenshots go, from the rig's command line.
void ConfigureRig(const std::string& demoFolder, const std::string& screenshotFolder);

class LauncherScenario : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // This scenario's copy of the demo folder: the launcher's current directory.
    const std::string& DemoFolder() const { return demoFolder_; }
    std::string DemoFile(const std::string& name) const { return demoFolder_ + "\\" + name; }
    // A path in the scenario's scratch space, outside the demo folder.
    std::string ScratchPath(const std::string& name) const { return scratch_.Join(name); }

    // The record as an earlier installation into `directory` left it.
    void RecordInstallation(const std::string& directory) const;
    // An installed copy of the engine alone, in a new directory.
    void InstallEngineInto(const std::string& directory) const;

    // Starts the demo folder's launcher, as a player would start it from there.
    Launcher& StartLauncher();
    // Presses Exit and expects the launcher to end with 0.
    void ExitLauncher(const Launcher& launcher) const;
    // How the engine was started, once it has recorded that and ended.
    EngineRecord WaitForEngine() const;
    bool EngineWasStarted() const;
    // The engine has the player's own rights: a token no more elevated than
    // the rig's, which is started from Linux (limited under Wine 10, full
    // under Wine 8, as on Windows before Vista or with UAC off).
    void ExpectPlayersRights(const EngineRecord& engine) const;
    // Where the rig's token is limited (Wine 10, as Vista to 11 start a
    // program), the launcher installs and uninstalls in a copy of itself that
    // Windows starts elevated; where it is full, in its own process.
    static bool WorksThroughAnElevatedCopy();
    // `window` belongs to the process that does the work: the launcher's own,
    // or its one elevated copy while the launcher's own stays limited.
    static void ExpectTheWorkIn(const Launcher& launcher, HWND window);

    // Kept as <screenshot folder>\<name>.bmp, or <name>_cp1252.bmp and the
    // like where the system's code page is not Japanese.
    void SaveScreenshot(const std::string& name, const Pixels& pixels) const;

private:
    std::string EngineRecordPath() const { return ScratchPath("engine-record.txt"); }
    bool AnyEngineRunning() const;

    TempDirectory scratch_;
    std::string demoFolder_;
    std::list<Launcher> launchers_;
};
