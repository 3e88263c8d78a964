// Programs the rig starts, as a player's shell would: a program file, a
// current directory and the rig's environment plus a few variables.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ChildProcess {
public:
    // `extraEnvironment` holds "NAME=value" entries; `arguments` follow the
    // quoted program on its command line. Throws RigFailure when the program
    // does not start.
    ChildProcess(const std::string& program, const std::string& directory,
                 const std::vector<std::string>& extraEnvironment, const std::string& arguments = "");
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ChildProcess& operator=(ChildProcess&&) = delete;

    DWORD Id() const { return id_; }
    bool HasEnded() const;
    // True when the program runs in Windows' layer for 32-bit programs on a
    // 64-bit system (WoW64).
    bool RunsUnderWow64() const;
    // The exit code; throws RigFailure when the program is still running after `timeout`.
    DWORD WaitForExit(DWORD timeout) const;
    void Kill() const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Processes started by `parentId` that still run (the engine a launcher started,
// say); the rig keeps its launchers' handles, so their numbers stay theirs.
std::vector<DWORD> RunningChildrenOf(DWORD parentId);
void KillProcess(DWORD id);
