#include "elevated_copy.h"

#include <cstring>

#include "install_flow.h"
#include "uninstall.h"

namespace {

// Indexed by ElevatedAction.
const char* const kSwitches[] = {"", "/install ", "/uninstall "};

// The text after `prefix`; nullptr when the text does not start with it.
const char* After(const char* text, const char* prefix) {
    while (*prefix != '\0')
        if (*text++ != *prefix++) return nullptr;
    return text;
}

ElevatedAction ReadSwitch(const char** text) {
    for (int action = kElevatedInstall; action <= kElevatedUninstall; ++action) {
        if (const char* rest = After(*text, kSwitches[action])) {
            *text = rest;
            return static_cast<ElevatedAction>(action);
        }
    }
    return kNoElevatedAction;
}

// A window handle is 32 bits wide, also in a 64-bit process; it is widened
// with its sign, as Windows does.
const char* ReadWindow(const char* text, HWND* window) {
    DWORD value = 0;
    while (*text >= '0' && *text <= '9') value = value * 10 + DWORD(*text++ - '0');
    *window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(value)));
    return text;
}

// The quoted folder, which must end the arguments.
bool ReadFolder(const char* text, char* folder) {
    const std::size_t length = std::strlen(text);
    if (length < 2 || length - 2 >= kPathCapacity || text[0] != '"' || text[length - 1] != '"') return false;
    std::memcpy(folder, text + 1, length - 2);
    folder[length - 2] = '\0';
    return true;
}

}  // namespace

void WriteElevatedArguments(char* arguments, ElevatedAction action, HWND owner, const char* folder) {
    const auto window = static_cast<unsigned long>(reinterpret_cast<LONG_PTR>(owner));
    wsprintfA(arguments, "%s%lu \"%s\"", kSwitches[action], window, folder);
}

ElevatedRequest ReadElevatedRequest(const char* arguments) {
    ElevatedRequest request;
    request.action = ReadSwitch(&arguments);
    arguments = ReadWindow(arguments, &request.owner);
    if (*arguments++ != ' ' || !ReadFolder(arguments, request.folder)) request.action = kNoElevatedAction;
    return request;
}

void RunElevatedAction(const ElevatedRequest& request) {
    HWND owner = IsWindow(request.owner) ? request.owner : nullptr;
    if (request.action == kElevatedInstall && IsInstalled == 0) RunInstall(owner);
    if (request.action == kElevatedUninstall && IsInstalled != 0) UninstallWithoutAsking(owner);
}
