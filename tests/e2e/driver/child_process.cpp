#include "child_process.h"

#include <tlhelp32.h>

#include <cstring>

#include "waiting.h"

namespace {

std::string VariableName(const std::string& entry) { return entry.substr(0, entry.find('=', 1)); }

bool IsReplaced(const std::string& entry, const std::vector<std::string>& extra) {
    for (const std::string& replacement : extra)
        if (lstrcmpiA(VariableName(entry).c_str(), VariableName(replacement).c_str()) == 0) return true;
    return false;
}

// The rig's own environment with the extra entries in place of any of the same name.
std::string EnvironmentBlock(const std::vector<std::string>& extra) {
    std::string block;
    char* own = GetEnvironmentStringsA();
    for (const char* entry = own; *entry != '\0'; entry += strlen(entry) + 1)
        if (!IsReplaced(entry, extra)) block.append(entry).push_back('\0');
    FreeEnvironmentStringsA(own);
    for (const std::string& entry : extra) block.append(entry).push_back('\0');
    block.push_back('\0');
    return block;
}

// When the process started, 0 when that can't be told. A process names its
// parent only by number, and numbers are used again: a process older than the
// one that now has its parent's number (Wine's desktop, started by a program
// that has ended since) is no child of that one.
ULONGLONG StartTimeOf(DWORD id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) return 0;
    FILETIME created, exited, kernel, user;
    const BOOL known = GetProcessTimes(process, &created, &exited, &kernel, &user);
    CloseHandle(process);
    return known ? (ULONGLONG(created.dwHighDateTime) << 32) | created.dwLowDateTime : 0;
}

// A process whose start can't be told counts as a child, so that nothing the
// launcher left running goes unseen.
bool IsChildOf(const PROCESSENTRY32& entry, DWORD parentId, ULONGLONG parentStart) {
    if (entry.th32ParentProcessID != parentId) return false;
    const ULONGLONG start = StartTimeOf(entry.th32ProcessID);
    return start == 0 || start >= parentStart;
}

// Wine now and then loses a new process before it has finished starting it
// (it ended with no exit code) and reports that as ERROR_INTERNAL_ERROR. The
// program under test has not run at all then, so starting it again hides
// nothing of its own.
bool StartProcess(const std::string& program, std::string commandLine, std::string environment,
                  const std::string& directory, PROCESS_INFORMATION& started) {
    const int kAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, &environment[0],
                           directory.c_str(), &startup, &started))
            return true;
        if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == kAttempts) return false;
    }
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::string& directory,
                           const std::vector<std::string>& extraEnvironment, const std::string& arguments) {
    PROCESS_INFORMATION started = {};
    const std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!StartProcess(program, commandLine, EnvironmentBlock(extraEnvironment), directory, started))
        throw RigFailure("cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (process_ != nullptr) CloseHandle(process_);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : process_(other.process_), id_(other.id_) {
    other.process_ = nullptr;
}

bool ChildProcess::HasEnded() const { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }

bool ChildProcess::RunsUnderWow64() const {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(process_, &wow64)) throw RigFailure("cannot tell whether a program runs under WoW64");
    return wow64 != FALSE;
}

DWORD ChildProcess::WaitForExit(DWORD timeout) const {
    if (WaitForSingleObject(process_, timeout) != WAIT_OBJECT_0)
        throw RigFailure("process " + std::to_string(id_) + " still runs after " + std::to_string(timeout) + " ms");
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void ChildProcess::Kill() const {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kPatienceMilliseconds);
}

std::vector<DWORD> RunningChildrenOf(DWORD parentId) {
    const ULONGLONG parentStart = StartTimeOf(parentId);
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (IsChildOf(entry, parentId, parentStart)) children.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return children;
}

void KillProcess(DWORD id) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process == nullptr) return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kPatienceMilliseconds);
    CloseHandle(process);
}
