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

unsigned ProgramMachine(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw RigFailure("cannot open " + path);
    IMAGE_DOS_HEADER dos = {};
    IMAGE_FILE_HEADER header = {};
    DWORD read = 0, signature = 0;
    const bool ok = ReadFile(file, &dos, sizeof dos, &read, nullptr) && read == sizeof dos &&
                    dos.e_magic == IMAGE_DOS_SIGNATURE &&
                    SetFilePointer(file, dos.e_lfanew, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
                    ReadFile(file, &signature, sizeof signature, &read, nullptr) && signature == IMAGE_NT_SIGNATURE &&
                    ReadFile(file, &header, sizeof header, &read, nullptr) && read == sizeof header;
    CloseHandle(file);
    if (!ok) throw RigFailure(path + " is no Windows program");
    return header.Machine;
}
