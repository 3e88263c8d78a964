// The launcher's copy of a folder timed against other ways of copying the
// same folder under the same Wine: Linux's cp (timed by tools/bench.sh and
// handed over), a CopyFileA loop, a bare loop of 64 KiB blocks, and the
// minimal program of the same step design, the floor that the launcher's copy
// is held to. The launcher and the minimal program are timed from the Yes on
// their question to the box that says the installation is finished.
//
// Usage: copy_bench <title> <source folder> <runs> [cp's milliseconds, comma-separated]
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "bench_programs.h"
#include "copy_loops.h"
#include "cpu_placement.h"
#include "figures.h"
#include "launcher_flows.h"
#include "registry_fixture.h"
#include "temp_directory.h"

namespace {

constexpr std::uint64_t kBlockBytes = 65536;

struct Source {
    std::string folder;
    std::string target;  // beside the folder, on the same drive
    int files = 0;
    std::uint64_t bytes = 0;
    std::uint64_t steps = 0;  // the posted messages of the launcher's copy
};

// Each file takes an opening step, one step per block and one that reads its end.
Source DescribeSource(const std::string& folder) {
    Source source;
    source.folder = folder;
    source.target = folder + ".copy";
    CurrentDirectory inside(folder);
    ForEachPlainFile([&](const WIN32_FIND_DATAA& entry) {
        const std::uint64_t size = (std::uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        source.files += 1;
        source.bytes += size;
        source.steps += 2 + (size + kBlockBytes - 1) / kBlockBytes;
    });
    return source;
}

// Run where the timed programs run, beside Wine's server.
double TimeLoop(const Source& source, void (*copy)(const std::string&)) {
    CurrentDirectory inside(source.folder);
    CreateDirectoryA(source.target.c_str(), nullptr);
    double took = 0;
    RunOnBenchCpu([&] {
        const double start = NowMilliseconds();
        copy(source.target);
        took = NowMilliseconds() - start;
    });
    RemoveTree(source.target);
    return took;
}

// The window events are watched only around the programs timed by them: the
// hook makes this program's own work slower.
double TimeStepFloor(const Source& source) {
    WindowEvents events;
    ChildProcess floor = StartStepFloor(source.folder, source.target);
    const ShownMessage question = WaitMessageOf(floor.Id());
    const double start = NowMilliseconds();
    question.Press(IDYES);
    const double took = WaitBoxSaying(events, floor.Id(), installer_texts::kCopyFinished).shownAt - start;
    PressAndWaitGone(WaitMessageOf(floor.Id()), IDOK);
    floor.WaitForExit(kPatienceMilliseconds);
    RemoveTree(source.target);
    return took;
}

double TimeLauncherInstall(const Launcher& launcher, const Source& source) {
    WindowEvents events;
    const ShownMessage question = AskToInstallInto(launcher, source.target);
    const double start = NowMilliseconds();
    question.Press(IDYES);
    const double took = WaitBoxSaying(events, launcher.ProcessId(), installer_texts::kCopyFinished).shownAt - start;
    AcknowledgeInstallation(launcher, launcher.WaitAnyMessage());
    Uninstall(launcher);
    return took;
}

Figures SecondsFromMilliseconds(const std::string& list) {
    Figures seconds;
    std::istringstream values(list);
    for (std::string value; std::getline(values, value, ',');) seconds.Add(std::atof(value.c_str()) / 1000);
    return seconds;
}

struct CopyFigures {
    Figures cp, copyFile, blocks, floor, launcher;
    Figures launcherToFloor;  // each run's launcher time over the same run's floor time
};

CopyFigures TimeAllWays(const Source& source, int runs, const std::string& cpMilliseconds) {
    CopyFigures figures;
    figures.cp = SecondsFromMilliseconds(cpMilliseconds);
    record_key::Remove();
    const Launcher launcher = StartLauncher(source.folder);
    // The ways take turns, so that a slow spell of the machine falls on all of them.
    for (int run = 0; run < runs; ++run) {
        figures.copyFile.Add(TimeLoop(source, CopyWithCopyFileA) / 1000);
        figures.blocks.Add(TimeLoop(source, CopyInBlocks) / 1000);
        const double floorTime = TimeStepFloor(source);
        const double installTime = TimeLauncherInstall(launcher, source);
        figures.floor.Add(floorTime / 1000);
        figures.launcher.Add(installTime / 1000);
        figures.launcherToFloor.Add(installTime / floorTime);
    }
    Exit(launcher);
    return figures;
}

void PrintCopyTable(const std::string& title, const Source& source, const CopyFigures& figures, int runs) {
    char heading[256];
    std::snprintf(heading, sizeof heading, "%s: %d files, %.1f MiB, %llu steps (median of %d runs, min-max)",
                  title.c_str(), source.files, source.bytes / 1048576.0, (unsigned long long)source.steps, runs);
    PrintHeading(heading);
    const Figures* reference = &figures.floor;
    const char* referenceName = "the step design's floor";
    if (!figures.cp.Empty())
        PrintRow("cp (Linux, the Wine drive's folder)", figures.cp, "s", reference, referenceName);
    PrintRow("CopyFileA loop", figures.copyFile, "s", reference, referenceName);
    PrintRow("_lread/_lwrite loop, 64 KiB", figures.blocks, "s", reference, referenceName);
    PrintRow("step design's floor (minimal dialog program)", figures.floor, "s");
    PrintRow("launcher's install", figures.launcher, "s", reference, referenceName);
    PrintRow("launcher's install / floor, run by run", figures.launcherToFloor, "x");
    const double microsecondsPerStep = 1e6 / source.steps;
    PrintRow("step design's floor, per step", figures.floor.Scaled(microsecondsPerStep), "us");
    PrintRow("launcher's install, per step", figures.launcher.Scaled(microsecondsPerStep), "us");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: copy_bench <title> <source folder> <runs> [cp milliseconds,...]\n");
        return 2;
    }
    WatchFromOtherCpus();
    const Source source = DescribeSource(argv[2]);
    const int runs = std::atoi(argv[3]);
    try {
        PrintCopyTable(argv[1], source, TimeAllWays(source, runs, argc > 4 ? argv[4] : ""), runs);
    } catch (const RigFailure& failure) {
        std::fprintf(stderr, "copy_bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
