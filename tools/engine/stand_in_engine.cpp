// A stand-in for the game engine KVE.EXE.
//
// With KVE_ENGINE_RECORD set in its environment it writes what it was started
// with, and whether its token is elevated, to that file (for tests) and ends; otherwise it shows a small window
// saying that the game would start here.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "token_elevation.h"

namespace {

void WriteRecord(const char* recordPath) {
    FILE* record = std::fopen(recordPath, "wb");
    if (record == nullptr) return;
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    char module[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::fprintf(record, "command_line=%s\n", GetCommandLineA());
    std::fprintf(record, "argc=%d\n", __argc);
    for (int i = 0; i < __argc; ++i) std::fprintf(record, "argv%d=%s\n", i, __argv[i]);
    std::fprintf(record, "current_directory=%s\n", directory);
    std::fprintf(record, "elevated=%s\n", TokenElevationOfThisProcess());
    std::fprintf(record, "module=%s\n", module);
    std::fclose(record);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* recordPath = std::getenv("KVE_ENGINE_RECORD");
    if (recordPath != nullptr && recordPath[0] != '\0') {
        WriteRecord(recordPath);
        return 0;
    }
    MessageBoxA(nullptr, "ここでゲームが始まります。\n（デモ用の代わりのエンジンです）", "KVE", MB_OK | MB_ICONINFORMATION);
    return 0;
}
