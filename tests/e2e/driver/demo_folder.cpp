#include "demo_folder.h"

#include <windows.h>

#include "waiting.h"

std::string WindowsPathOf(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string windows = "Z:" + path;
    for (char& c : windows)
        if (c == '/') c = '\\';
    return windows;
}

void CopyFolder(const std::string& from, const std::string& to) {
    CreateDirectories(to);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) throw RigFailure("cannot list " + from);
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string name = entry.cFileName;
        if (!CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE))
            throw RigFailure("cannot copy " + name + " into " + to);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

void CreateDirectories(const std::string& path) {
    for (size_t separator = path.find('\\', 3); separator != std::string::npos; separator = path.find('\\', separator + 1))
        CreateDirectoryA(path.substr(0, separator).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}
