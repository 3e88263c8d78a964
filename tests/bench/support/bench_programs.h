// The programs that the benchmarks start, from the paths the build gives
// them, and the windows they wait for.
#pragma once

#include <windows.h>

#include <string>

#include "child_process.h"
#include "launcher_session.h"
#include "window_events.h"

// The programs below run on the benchmark's processor (cpu_placement.h).

// The launcher started in `folder`, as a player starts it from the demo's folder.
Launcher StartLauncher(const std::string& folder);
// The minimal program of the copy's step design, set to copy `folder` into `target`.
ChildProcess StartStepFloor(const std::string& folder, const std::string& target);
ChildProcess StartEmptyDialog(const std::string& folder);

// A message box of the process, once it shows.
ShownMessage WaitMessageOf(DWORD processId);
// The copy dialog of the process (the one with the bar's frame), once it shows.
AppWindow WaitCopyDialogOf(DWORD processId);
// The process's message box saying `text`, once it shows.
ShownWindow WaitBoxSaying(WindowEvents& events, DWORD processId, const std::string& text);
