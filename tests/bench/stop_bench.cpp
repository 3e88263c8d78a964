// The answer to the stop button during a large copy: the time from a real
// mouse click on the button (the pointer moved onto it, the left button
// pressed and released through SendInput) to the question
// "インストールを中断しますか？" showing; each question is answered No and the
// copy goes on. The launcher's answer is set beside the minimal program's of
// the same step design and beside one block's time, taken from how fast the
// copied files grow meanwhile.
//
// Usage: stop_bench <source folder> <clicks>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_programs.h"
#include "cpu_placement.h"
#include "copy_loops.h"
#include "figures.h"
#include "launcher_flows.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "temp_directory.h"

namespace {

constexpr double kBlockBytes = 65536;
constexpr DWORD kRateWindowMilliseconds = 100;
constexpr int kRateWindows = 3;
constexpr DWORD kBetweenClicksMilliseconds = 30;

std::uint64_t BytesInside(const std::string& folder) {
    std::uint64_t bytes = 0;
    CurrentDirectory inside(folder);
    ForEachPlainFile([&](const WIN32_FIND_DATAA& entry) {
        bytes += (std::uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    });
    return bytes;
}

// One block's time, from the bytes that reach the target in a short while.
Figures BlockMilliseconds(const std::string& target) {
    Figures block;
    for (int window = 0; window < kRateWindows; ++window) {
        const std::uint64_t bytesBefore = BytesInside(target);
        const double start = NowMilliseconds();
        Sleep(kRateWindowMilliseconds);
        const std::uint64_t bytesAfter = BytesInside(target);
        if (bytesAfter == bytesBefore) throw RigFailure("the copy did not move on");
        block.Add(kBlockBytes * (NowMilliseconds() - start) / double(bytesAfter - bytesBefore));
    }
    return block;
}

// The process's question once it shows; a copy that ends first is a rig failure.
ShownWindow WaitStopQuestion(WindowEvents& events, DWORD processId) {
    const ShownWindow box = events.WaitShown([&](HWND window) {
        return ProcessOf(window) == processId &&
               (IsBoxSaying(window, installer_texts::kStopQuestion) || IsBoxSaying(window, installer_texts::kCopyFinished));
    });
    if (IsBoxSaying(box.window, installer_texts::kCopyFinished))
        throw RigFailure("the copy ended before the last click: too small a folder");
    return box;
}

// From each click to the question's window being made, and to its showing.
struct Answers {
    Figures created, shown;
};

Answers TimeStopClicks(DWORD processId, const AppWindow& copyDialog, WindowEvents& events, int clicks) {
    Answers answers;
    for (int click = 0; click < clicks; ++click) {
        const double start = NowMilliseconds();
        copyDialog.ClickWithMouse(IDC_STOP);
        const ShownWindow question = WaitStopQuestion(events, processId);
        answers.created.Add(question.createdAt - start);
        answers.shown.Add(question.shownAt - start);
        PressAndWaitGone(ShownMessage(question.window), IDNO);
        Sleep(kBetweenClicksMilliseconds);
    }
    return answers;
}

struct StopFigures {
    Figures block;
    Answers launcher, floor;
};

// Ends with the interruption confirmed: the launcher takes the directory away.
void TimeLauncher(const std::string& folder, int clicks, WindowEvents& events, StopFigures* figures) {
    record_key::Remove();
    const Launcher launcher = StartLauncher(folder);
    const std::string target = folder + ".copy";
    PressAndWaitGone(AskToInstallInto(launcher, target), IDYES);
    const AppWindow copyDialog = launcher.WaitDialog(IDC_PROGRESS_FRAME);
    figures->block = BlockMilliseconds(target);
    figures->launcher = TimeStopClicks(launcher.ProcessId(), copyDialog, events, clicks);
    copyDialog.Click(IDC_STOP);
    PressAndWaitGone(launcher.WaitMessage(copyDialog), IDYES);
    Exit(launcher);
}

void TimeStepFloor(const std::string& folder, int clicks, WindowEvents& events, StopFigures* figures) {
    const std::string target = folder + ".copy";
    const ChildProcess floor = StartStepFloor(folder, target);
    PressAndWaitGone(WaitMessageOf(floor.Id()), IDYES);
    figures->floor = TimeStopClicks(floor.Id(), WaitCopyDialogOf(floor.Id()), events, clicks);
    floor.Kill();
    RemoveTree(target);
}

void PrintStopTable(const StopFigures& figures, int clicks) {
    PrintHeading("Stop button during the copy: from a real click to the question (median of " +
                 std::to_string(clicks) + " clicks, min-max)");
    PrintRow("one 64 KiB block of the launcher's copy", figures.block, "ms");
    PrintRow("launcher: the question's window made", figures.launcher.created, "ms", &figures.block, "one block");
    PrintRow("launcher: the question shown", figures.launcher.shown, "ms", &figures.block, "one block");
    PrintRow("step design's floor: the question's window made", figures.floor.created, "ms", &figures.block,
             "one block");
    PrintRow("step design's floor: the question shown", figures.floor.shown, "ms", &figures.block, "one block");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: stop_bench <source folder> <clicks>\n");
        return 2;
    }
    WatchFromOtherCpus();
    const std::string folder = argv[1];
    const int clicks = std::atoi(argv[2]);
    StopFigures figures;
    try {
        WindowEvents events;
        TimeLauncher(folder, clicks, events, &figures);
        TimeStepFloor(folder, clicks, events, &figures);
    } catch (const RigFailure& failure) {
        std::fprintf(stderr, "stop_bench: %s\n", failure.what());
        return 1;
    }
    PrintStopTable(figures, clicks);
    return 0;
}
