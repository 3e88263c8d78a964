// Windows' own box for a drive without a medium (Cancel, Try Again,
// Continue) must not come before the launcher's message: the launcher asks
// the drive that the player typed, or that the record names, with critical
// errors failing the call, and gives the mode it was given back afterwards.
// Wine never shows that box, so the mode in force during each call is
// watched (error_mode_watch.h).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "broken_listing.h"
#include "dialog_procs.h"
#include "dialog_script.h"
#include "engine.h"
#include "error_mode_watch.h"
#include "installer_scene.h"
#include "message_boxes.h"
#include "resource_ids.h"
#include "shared_state.h"
#include "temp_directory.h"
#include "uninstall.h"

namespace {

using Names = std::vector<std::string>;

// The mode the launcher is given by whoever starts it: any bits but the one
// for critical errors, which must be kept.
constexpr UINT kGivenMode = SEM_NOOPENFILEERRORBOX;

class DriveCalls : public ::testing::Test {
protected:
    DriveCalls() : before_(SetErrorMode(kGivenMode)) { LoadLauncherState(); }
    ~DriveCalls() override { SetErrorMode(before_); }

    // Every call ran with critical errors failing, the given bits kept.
    static void ExpectNoBoxAt(const std::vector<ModeAtCall>& calls) {
        for (const ModeAtCall& call : calls)
            EXPECT_EQ(call.mode, kGivenMode | SEM_FAILCRITICALERRORS) << call.function;
    }

    TempDirectory source_;
    CurrentDirectory inSource_{source_.Path()};
    TempDirectory target_;

private:
    UINT before_;
};

// The watch starts once the selection has listed the source, the launcher's
// own folder: from the start button on, the typed drive is asked.
TEST_F(DriveCalls, TheSelectionAsksTheTypedDrivesFreeSpaceAndCreatesTheDirectoryWithoutTheBox) {
    const std::string chosen = target_.Join("Quirn\\Q7R_DEMO");
    MessageBoxAnswerer boxes({IDYES});
    std::optional<ErrorModeWatch> watch;
    DialogScript script;
    script.Do([&](HWND) { watch.emplace(); }).SetText(IDC_INSTALL_DIR_EDIT, chosen).Click(IDC_START_INSTALL);
    EXPECT_EQ(script.Run("DLG_SELECT", DlgSelectProc), 1);
    ASSERT_TRUE(watch.has_value());
    const std::vector<ModeAtCall> calls = watch->Calls();
    const Names called = watch->FunctionsCalled();
    watch.reset();

    EXPECT_EQ(CurrentErrorMode(), kGivenMode);
    EXPECT_EQ(called, (Names{"GetDiskFreeSpaceA", "CreateDirectoryA"}));
    ExpectNoBoxAt(calls);
    EXPECT_TRUE(PathExists(chosen));
}

TEST_F(DriveCalls, TheUninstallListsAndDeletesOnTheRecordedDriveWithoutTheBox) {
    target_.WriteFile("KVE.EXE", "the engine");
    std::strcpy(InstalledDir, target_.Path().c_str());
    std::optional<ErrorModeWatch> watch(std::in_place);
    EXPECT_TRUE(RemoveInstallDirectory());
    const std::vector<ModeAtCall> calls = watch->Calls();
    const Names called = watch->FunctionsCalled();
    watch.reset();

    EXPECT_EQ(CurrentErrorMode(), kGivenMode);
    EXPECT_EQ(called, (Names{"RemoveDirectoryA", "FindFirstFileA", "DeleteFileA", "GetFileAttributesA"}));
    ExpectNoBoxAt(calls);
    EXPECT_FALSE(PathExists(target_.Path()));
}

// Play asks the recorded drive for the engine without the box, whether the
// engine is there or not; the engine itself is started under the mode the
// launcher was given, for it to inherit.
TEST_F(DriveCalls, PlayAsksTheRecordedDriveForTheEngineWithoutTheBoxAndStartsItUnderTheGivenMode) {
    std::strcpy(InstalledDir, target_.Path().c_str());
    IsInstalled = 1;
    for (const bool present : {false, true}) {
        if (present) target_.WriteFile("KVE.EXE", "no program");
        MessageBoxAnswerer boxes;
        std::optional<ErrorModeWatch> watch(std::in_place);
        StartEngine(nullptr);
        std::vector<ModeAtCall> calls = watch->Calls();
        watch.reset();

        EXPECT_EQ(boxes.Texts(), Names{target_.Join("KVE.EXE") + "が在りません"});
        ASSERT_EQ(calls.size(), present ? 2u : 1u);
        if (present) {
            EXPECT_EQ(calls.back().function, "CreateProcessA");
            EXPECT_EQ(calls.back().mode, kGivenMode) << "the engine inherits the given mode";
        }
        calls.resize(1);
        EXPECT_EQ(calls.front().function, "GetFileAttributesA");
        ExpectNoBoxAt(calls);
    }
}

// A listing that breaks (a share that drops) keeps the directory with the
// files not listed yet, and names it. The search lists "." and ".." first.
TEST_F(DriveCalls, AnUninstallWhoseListingBreaksNamesTheDirectoryThatStays) {
    for (const char* name : {"a.bin", "b.bin", "c.bin"}) target_.WriteFile(name, "installed");
    std::strcpy(InstalledDir, target_.Path().c_str());
    MessageBoxAnswerer boxes({IDYES});
    {
        const BrokenListing listing(3, ERROR_NETNAME_DELETED);
        EXPECT_EQ(RunUninstall(nullptr), 1);
    }
    EXPECT_EQ(EntryNames(target_.Path()).size(), 1u);
    EXPECT_EQ(boxes.Texts(), (Names{"アンインストールを実行しますか？",
                                    "ディレクトリ\"" + target_.Path() + "\"を削除できませんでした。"}));
}

}  // namespace
