// The main window's buttons and close command, as a player uses them: Play
// starts the engine (or says it is missing) and ends the launcher, Exit and
// the close command end it, Esc does nothing.
#include <gtest/gtest.h>

#include "demo_folder.h"
#include "launcher_scenario.h"
#include "launcher_texts.h"
#include "resource_ids.h"
#include "waiting.h"

namespace {

class MainWindowCommands : public LauncherScenario {
protected:
    // Play, then the launcher ends by itself with 0.
    void PlayAndExpectTheEnd(const Launcher& launcher) const {
        launcher.Main().Click(IDC_PLAY);
        EXPECT_EQ(launcher.WaitForExit(), 0u);
    }

    // Play, a box saying the engine is missing, OK, and the launcher ends.
    void PlayAndExpectMissingEngine(const Launcher& launcher, const std::string& message) const {
        const AppWindow main = launcher.Main();
        main.Click(IDC_PLAY);
        const ShownMessage box = launcher.WaitMessage(main);
        EXPECT_EQ(box.Seen().text, message);
        EXPECT_EQ(box.Seen().caption, kCaption);
        EXPECT_TRUE(box.Seen().hasOk);
        EXPECT_FALSE(box.Seen().hasYes || box.Seen().hasNo) << "OK is the only button";
        EXPECT_FALSE(box.Seen().hasIcon);
        SaveScreenshot(::testing::UnitTest::GetInstance()->current_test_info()->name(), box.Screenshot());
        box.Press(IDOK);
        EXPECT_EQ(launcher.WaitForExit(), 0u);
        EXPECT_FALSE(EngineWasStarted());
    }

    void ExpectStartedAsTheDemoAsks(const EngineRecord& engine) const {
        EXPECT_EQ(engine.commandLine, "KVE Varelin");
        EXPECT_EQ(engine.arguments, (std::vector<std::string>{"KVE", "Varelin"}));
        EXPECT_EQ(engine.currentDirectory, DemoFolder()) << "the launcher's own current directory";
        ExpectPlayersRights(engine);
    }
};

// A directory name of exactly `length` bytes, inside the scratch space.
std::string PathOfLength(const std::string& parent, size_t length) {
    return parent + "\\" + std::string(length - parent.size() - 1, 'D');
}

TEST_F(MainWindowCommands, PlayStartsTheDemoFoldersEngineWhenNotInstalled) {
    PlayAndExpectTheEnd(StartLauncher());
    const EngineRecord engine = WaitForEngine();
    EXPECT_EQ(engine.module, DemoFile(kEngineProgram));
    ExpectStartedAsTheDemoAsks(engine);
}

TEST_F(MainWindowCommands, PlayStartsTheInstalledEngineInTheLaunchersDirectory) {
    const std::string installed = ScratchPath("Quirn Games\\Q7R DEMO");
    InstallEngineInto(installed);
    RecordInstallation(installed);
    PlayAndExpectTheEnd(StartLauncher());
    const EngineRecord engine = WaitForEngine();
    EXPECT_EQ(engine.module, installed + "\\" + kEngineProgram);
    ExpectStartedAsTheDemoAsks(engine);
}

TEST_F(MainWindowCommands, PlayWithoutAnEngineSaysSoAndEnds) {
    DeleteFileA(DemoFile(kEngineProgram).c_str());
    PlayAndExpectMissingEngine(StartLauncher(), std::string(kEngineProgram) + kMissingSuffix);
}

TEST_F(MainWindowCommands, PlayWithoutTheInstalledEngineNamesItsWholePath) {
    // The longest directory the record can give; the demo folder's engine must not stand in for it.
    const std::string installed = PathOfLength(ScratchPath("installed"), 259);
    RecordInstallation(installed);
    PlayAndExpectMissingEngine(StartLauncher(), installed + "\\" + kEngineProgram + kMissingSuffix);
}

TEST_F(MainWindowCommands, EscLeavesTheWindowOpen) {
    const Launcher& launcher = StartLauncher();
    const AppWindow main = launcher.Main();
    ASSERT_TRUE(WaitUntil([&] { return main.FocusedControlId() == IDC_PLAY; }));
    main.PressKey(VK_ESCAPE);
    // Keys are taken in order: once Tab has moved the focus, Esc has been handled.
    main.PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return main.FocusedControlId() == IDC_INSTALL; }));
    EXPECT_TRUE(main.IsOpen());
    ExitLauncher(launcher);
}

TEST_F(MainWindowCommands, TheCloseCommandEndsTheLauncher) {
    const Launcher& launcher = StartLauncher();
    launcher.Main().Close();
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_FALSE(EngineWasStarted());
}

TEST_F(MainWindowCommands, ExitClickedWithTheMouseEndsTheLauncher) {
    const Launcher& launcher = StartLauncher();
    launcher.Main().ClickWithMouse(IDC_EXIT);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_FALSE(EngineWasStarted());
}

}  // namespace
