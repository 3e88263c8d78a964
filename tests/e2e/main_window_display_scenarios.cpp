// What a player sees when the launcher opens: the caption, the window's place
// and size, the picture behind the buttons and the buttons' labels.
#include <gtest/gtest.h>

#include "demo_folder.h"
#include "launcher_scenario.h"
#include "launcher_texts.h"
#include "main_window_look.h"
#include "resource_ids.h"
#include "waiting.h"
#include "window_finding.h"

namespace {

using MainWindowDisplay = LauncherScenario;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

TEST_F(MainWindowDisplay, OpensCaptionedCentredOnTheScreenAndSizedByItsTemplate) {
    const Launcher& launcher = StartLauncher();
    const AppWindow main = launcher.Main();
    EXPECT_EQ(main.Caption(), kCaption);
    EXPECT_TRUE(main.CaptionShowsItsGlyphs());

    const RECT outer = main.OuterRect();
    const RECT screen = OuterRect(GetDesktopWindow());
    EXPECT_EQ(outer.left, (screen.right - Width(outer)) / 2);
    EXPECT_EQ(outer.top, (screen.bottom - Height(outer)) / 2);

    // The template's 232 x 160 dialog units, in the system font's units.
    const LONG units = GetDialogBaseUnits();
    const RECT client = main.ClientRectOnScreen();
    EXPECT_EQ(Width(client), 232 * LOWORD(units) / 4);
    EXPECT_EQ(Height(client), 160 * HIWORD(units) / 8);
    ExitLauncher(launcher);
}

// The launcher that runs is this build's, under a Wine of this build's width:
// a runner that started the other build's twin, or the 32-bit build under a
// 64-bit Wine, would test something other than what ships.
TEST_F(MainWindowDisplay, TheLauncherThatRunsIsOfThisBuildUnderAWineOfItsWidth) {
    const bool thisBuildIs32Bit = sizeof(void*) == 4;
    EXPECT_EQ(ProgramMachine(DemoFile(kLauncherProgram)),
              thisBuildIs32Bit ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64);
    SYSTEM_INFO system;
    GetNativeSystemInfo(&system);
    EXPECT_EQ(system.wProcessorArchitecture,
              thisBuildIs32Bit ? PROCESSOR_ARCHITECTURE_INTEL : PROCESSOR_ARCHITECTURE_AMD64);
    const Launcher& launcher = StartLauncher();
    EXPECT_FALSE(launcher.RunsUnderWow64());
    ExitLauncher(launcher);
}

TEST_F(MainWindowDisplay, ShowsTheCentreOfThePictureBehindTheButtons) {
    const BackgroundPicture picture = PictureOfProgram(DemoFile(kLauncherProgram));
    const Launcher& launcher = StartLauncher();
    const AppWindow main = launcher.Main();
    const MainWindowLook look = WaitForThePicture(main, picture, kPatienceMilliseconds);
    SaveScreenshot("main_window", main.Screenshot());
    const POINT origin = look.CentralOrigin();
    EXPECT_EQ(look.DifferencesFromTheCentredPicture(), 0) << "picture part at " << origin.x << ", " << origin.y;

    // The picture has enough detail that a wrong row order, a part one pixel
    // off or a wrong colour table would show.
    EXPECT_GT(look.Differences(picture.UpsideDown(), origin), 0);
    EXPECT_GT(look.Differences(picture.WithRedAndBlueSwapped(), origin), 0);
    for (POINT offset : {POINT{1, 0}, POINT{-1, 0}, POINT{0, 1}, POINT{0, -1}})
        EXPECT_GT(look.Differences(picture, POINT{origin.x + offset.x, origin.y + offset.y}), 0)
            << "offset " << offset.x << ", " << offset.y;
    ExitLauncher(launcher);
}

TEST_F(MainWindowDisplay, WithoutAnInstallationTheSecondButtonOffersToInstall) {
    const Launcher& launcher = StartLauncher();
    const AppWindow main = launcher.Main();
    EXPECT_EQ(main.ControlText(IDC_PLAY), kPlayLabel);
    EXPECT_EQ(main.ControlText(IDC_INSTALL), kInstallLabel);
    EXPECT_EQ(main.ControlText(IDC_EXIT), kExitLabel);
    ExitLauncher(launcher);
}

TEST_F(MainWindowDisplay, WithAnInstallationTheSecondButtonOffersToUninstall) {
    RecordInstallation(ScratchPath("Q7R_DEMO"));
    const Launcher& launcher = StartLauncher();
    const AppWindow main = launcher.Main();
    EXPECT_EQ(main.ControlText(IDC_INSTALL), kUninstallLabel);
    SaveScreenshot("main_window_installed", main.Screenshot());
    ExitLauncher(launcher);
}

}  // namespace
