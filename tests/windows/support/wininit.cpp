#include "wininit.h"

#include <windows.h>

std::string WininitPath() {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\WININIT.INI";
}

void RemoveWininit() {
    const std::string path = WininitPath();
    DeleteFileA(path.c_str());
    DeleteFileA((path.substr(0, path.size() - 3) + "BAK").c_str());
}

std::string ShortPathOf(const std::string& path) {
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return shortPath;
}

std::string Deletion(const std::string& file) { return "NUL=" + ShortPathOf(file); }
