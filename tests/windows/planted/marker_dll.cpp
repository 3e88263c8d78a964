// A DLL planted in the demo folder under the name of a system DLL. Loaded
// into a process, it appends "<its own path> in <the program's path>" to the
// file that KVE_PLANTED_MARKER names and refuses to load, so the process
// goes on without it, as it would with a DLL that fails to initialise.
#include <windows.h>

namespace {

void AppendLine(HANDLE file, const char* text) {
    DWORD written = 0;
    WriteFile(file, text, lstrlenA(text), &written, nullptr);
}

void LeaveMarker(HINSTANCE self) {
    char markerPath[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("KVE_PLANTED_MARKER", markerPath, sizeof markerPath);
    if (length == 0 || length >= sizeof markerPath) return;
    HANDLE marker = CreateFileA(markerPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE) return;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(self, path, sizeof path);
    AppendLine(marker, path);
    AppendLine(marker, " in ");
    GetModuleFileNameA(nullptr, path, sizeof path);
    AppendLine(marker, path);
    AppendLine(marker, "\r\n");
    CloseHandle(marker);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    LeaveMarker(self);
    return FALSE;
}
