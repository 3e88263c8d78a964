#include "engine.h"

#include "critical_errors.h"
#include "display_texts.h"
#include "shared_state.h"
#include "text_join.h"

namespace {

const char kEngineName[] = "KVE.EXE";
const char kEngineSuffix[] = "\\KVE.EXE";
const char kMissingSuffix[] = "が在りません";
const char kEngineMissing[] = "KVE.EXEが在りません";

// Room for the longest directory (259 bytes), the suffix and the terminator.
constexpr int kEnginePathCapacity = 268;

// The engine's drive is asked first with critical errors failing the call: a
// card, a stick or a disc taken out since the install gives the launcher's own
// message, not Windows' box. The start itself stays outside, so that the
// engine inherits the error mode that the launcher was given.
bool CanReachEngine(const char* path) {
    const NoCriticalErrorBox onTheEnginesDrive;
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool CreateEngineProcess(const char* path) {
    if (!CanReachEngine(path)) return false;
    char commandLine[] = "KVE Varelin";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void StartInstalledEngine(HWND owner) {
    char path[kEnginePathCapacity];
    JoinText(path, sizeof path, {InstalledDir, kEngineSuffix});
    if (CreateEngineProcess(path)) return;
    ShowPathMessage(owner, "", path, kMissingSuffix, MB_OK);
}

void StartLocalEngine(HWND owner) {
    if (CreateEngineProcess(kEngineName)) return;
    ShowMessage(owner, kEngineMissing, MB_OK);
}

}  // namespace

void StartEngine(HWND owner) {
    if (IsInstalled != 0)
        StartInstalledEngine(owner);
    else
        StartLocalEngine(owner);
}
