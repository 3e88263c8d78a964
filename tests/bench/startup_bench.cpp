// Start-up to a shown window: from the creation of the launcher's process to
// its main window showing, against an empty modal dialog program under the
// same Wine. Each is closed again, the launcher by its Exit button.
//
// Usage: startup_bench <runs>
#include <cstdio>
#include <cstdlib>

#include "bench_programs.h"
#include "cpu_placement.h"
#include "figures.h"
#include "launcher_flows.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "temp_directory.h"
#include "user_input.h"

namespace {

double TimeLauncherStart(const std::string& folder, WindowEvents& events) {
    const double start = NowMilliseconds();
    const Launcher launcher = StartLauncher(folder);
    const ShownWindow main = events.WaitShown(
        [&](HWND window) { return ProcessOf(window) == launcher.ProcessId() && GetDlgItem(window, IDC_PLAY); });
    Exit(launcher);
    return main.shownAt - start;
}

double TimeEmptyDialogStart(const std::string& folder, WindowEvents& events) {
    const double start = NowMilliseconds();
    const ChildProcess program = StartEmptyDialog(folder);
    const ShownWindow dialog = events.WaitShown([&](HWND window) { return ProcessOf(window) == program.Id(); });
    SendCloseCommand(dialog.window);
    program.WaitForExit(kPatienceMilliseconds);
    return dialog.shownAt - start;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_bench <runs>\n");
        return 2;
    }
    WatchFromOtherCpus();
    const int runs = std::atoi(argv[1]);
    Figures launcher, empty;
    try {
        TempDirectory folder;
        WindowEvents events;
        record_key::Remove();
        for (int run = 0; run < runs; ++run) {
            empty.Add(TimeEmptyDialogStart(folder.Path(), events));
            launcher.Add(TimeLauncherStart(folder.Path(), events));
        }
    } catch (const RigFailure& failure) {
        std::fprintf(stderr, "startup_bench: %s\n", failure.what());
        return 1;
    }
    PrintHeading("Start-up: process created to its window shown (median of " + std::to_string(runs) + " runs, min-max)");
    PrintRow("empty modal dialog program", empty, "ms");
    PrintRow("launcher", launcher, "ms", &empty, "the empty dialog");
    return 0;
}
