#include "wininit.h"

#include <windows.h>

#include <cstring>

namespace {

std::string WindowsDirectory() {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    return windows;
}

}  // namespace

std::string WininitPath() { return WindowsDirectory() + "\\WININIT.INI"; }

void RemoveWininit() {
    for (const char* name : {"\\WININIT.INI", "\\WININIT.BAK"}) DeleteFileA((WindowsDirectory() + name).c_str());
}

std::string ShortPathOf(const std::string& path) {
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return shortPath;
}

std::string Deletion(const std::string& file) { return "NUL=" + ShortPathOf(file); }

std::vector<std::string> PendingInWininit() {
    char section[4096] = "";
    GetPrivateProfileSectionA("rename", section, sizeof section, WininitPath().c_str());
    std::vector<std::string> lines;
    for (const char* line = section; *line != '\0'; line += std::strlen(line) + 1) lines.push_back(line);
    return lines;
}
