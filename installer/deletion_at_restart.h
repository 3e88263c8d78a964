// What the uninstall can't delete while the launcher runs from the
// installation: its own file, left for Windows to delete when it next starts;
// and what a new install there must keep from that deletion.
#pragma once

// True when `path`, a full path, names the running program's own file,
// however its names are spelt: long or short (8.3), in either case.
bool IsRunningProgram(const char* path);

// Has Windows delete `file`, which lies directly in `directory`, and then
// `directory` once it is empty, when Windows next starts. Where MoveFileExA
// works the file is first renamed aside, so that the deletion can't reach a
// file that a later install puts at its path. Where it doesn't (the 95
// family) the file goes to WININIT.INI, which deletes files only. True when
// Windows took both the file and the directory.
bool DeleteAtNextStart(const char* file, const char* directory);

// For an install that has just created `directory`: the lines of WININIT.INI
// that name files inside it, left by an uninstall from an earlier installation
// there, go, so that they don't delete this one's files. Other lines stay.
void ForgetDeletionsInside(const char* directory);
