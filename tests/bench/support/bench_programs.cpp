#include "bench_programs.h"

#include "cpu_placement.h"
#include "demo_folder.h"
#include "launcher_flows.h"
#include "resource_ids.h"
#include "waiting.h"
#include "window_finding.h"

Launcher StartLauncher(const std::string& folder) {
    Launcher launcher(WindowsPathOf(LAUNCHER_PROGRAM), folder, {});
    PinToBenchCpu(launcher.ProcessId());
    return launcher;
}

ChildProcess StartStepFloor(const std::string& folder, const std::string& target) {
    ChildProcess floor(WindowsPathOf(STEP_FLOOR_PROGRAM), folder, {"KVE_FLOOR_TARGET=" + target});
    PinToBenchCpu(floor.Id());
    return floor;
}

ChildProcess StartEmptyDialog(const std::string& folder) {
    ChildProcess program(WindowsPathOf(EMPTY_DIALOG_PROGRAM), folder, {});
    PinToBenchCpu(program.Id());
    return program;
}

ShownMessage WaitMessageOf(DWORD processId) {
    WindowQuery query;
    query.processId = processId;
    query.messageBox = true;
    return ShownMessage(WaitForWindow(query, "message box"));
}

AppWindow WaitCopyDialogOf(DWORD processId) {
    WindowQuery query;
    query.processId = processId;
    query.controlId = IDC_PROGRESS_FRAME;
    return AppWindow(WaitForWindow(query, "copy dialog"));
}

ShownWindow WaitBoxSaying(WindowEvents& events, DWORD processId, const std::string& text) {
    return events.WaitShown([&](HWND window) { return ProcessOf(window) == processId && IsBoxSaying(window, text); });
}
