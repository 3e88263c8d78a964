// What the uninstall can't delete while the launcher runs from the
// installation: its own file, left for Windows to delete when it next starts.
#pragma once

// True when `path`, a full path, names the running program's own file,
// however its names are spelt: long or short (8.3), in either case.
bool IsRunningProgram(const char* path);

// Has Windows delete `file`, and then `directory` once it is empty, when
// Windows next starts. The 95 family's WININIT.INI deletes files only, so
// there the directory stays. Failures are silent.
void DeleteAtNextStart(const char* file, const char* directory);
