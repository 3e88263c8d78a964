#include "temp_directory.h"

#include <windows.h>

#include <fstream>
#include <sstream>

TempDirectory::TempDirectory() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static unsigned counter;
    for (;;) {
        path_ = std::string(base) + "kvetest_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter++);
        if (CreateDirectoryA(path_.c_str(), nullptr)) return;
    }
}

TempDirectory::~TempDirectory() { RemoveTree(path_); }

void TempDirectory::WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(Join(name), std::ios::binary);
    out << bytes;
}

CurrentDirectory::CurrentDirectory(const std::string& path) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    previous_ = previous;
    SetCurrentDirectoryA(path.c_str());
}

CurrentDirectory::~CurrentDirectory() { SetCurrentDirectoryA(previous_.c_str()); }

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string UnmappedDrive() {
    const DWORD drives = GetLogicalDrives();
    char letter = 'Q';
    while (letter < 'Z' && (drives & (1u << (letter - 'A')))) ++letter;
    return std::string(1, letter) + ":";
}
