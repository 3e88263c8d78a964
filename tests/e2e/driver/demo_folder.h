// The demo folder as it is distributed: the launcher beside the engine and the
// game's data files. The rig gives each scenario a fresh copy.
#pragma once

#include <string>

constexpr const char* kLauncherProgram = "SETUP.EXE";
constexpr const char* kEngineProgram = "KVE.EXE";

// A path handed over from the Unix side ("/work/x") as Wine names it ("Z:\work\x").
std::string WindowsPathOf(const std::string& path);
// Copies the plain files directly inside `from` into `to`, which is created.
void CopyFolder(const std::string& from, const std::string& to);
// Creates the directory and any missing parents.
void CreateDirectories(const std::string& path);
// The machine a program file is built for (IMAGE_FILE_MACHINE_I386, _AMD64).
unsigned ProgramMachine(const std::string& path);
