#include "deletion_at_restart.h"

#include <windows.h>

#include <cstring>

#include "locked_memory.h"
#include "shared_state.h"
#include "system_functions.h"
#include "text_join.h"

namespace {

const char kWininit[] = "WININIT.INI";  // in the Windows directory
const char kRenameSection[] = "rename";
// The [rename] section as a whole, in and out: at most 32 KiB, as the 95
// family's profile calls handle; behind it, room for the line that is added.
constexpr DWORD kSectionCapacity = 32768;
constexpr SIZE_T kLineRoom = sizeof "NUL=" + kPathCapacity + 1;
// The running launcher's name while it waits for the next start: one that no
// install writes, in 8.3 form, numbered in case an earlier one is still there.
const char kAsideName[] = "~KVEDEL0.TMP";
constexpr int kAsideDigit = 7;

// Looked up at run time: the 95 family has MoveFileExA at most as a stub
// that fails, and the launcher must load there too.
using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

// The 8.3 form of an existing path. Looked up at run time: Windows NT 3.51
// may lack it.
bool GetShortPath(const char* path, char* shortPath) {
    using GetShortPathNameFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    const auto getShortPathName =
        FindSystemFunction<GetShortPathNameFunction>("kernel32.dll", "GetShortPathNameA");
    if (getShortPathName == nullptr) return false;
    const DWORD length = getShortPathName(path, shortPath, kPathCapacity);
    return length != 0 && length < kPathCapacity;
}

bool IsSamePath(const char* left, const char* right) {
    if (lstrcmpiA(left, right) == 0) return true;
    char shortLeft[kPathCapacity];
    char shortRight[kPathCapacity];
    return GetShortPath(left, shortLeft) && GetShortPath(right, shortRight) && lstrcmpiA(shortLeft, shortRight) == 0;
}

// Every line of [rename] has the key NUL, and a profile call for one key
// would replace the line of another program's: the section is read whole,
// changed in memory by `change` (true when it changed it) and written back.
// A section that filled the buffer came back cut short: written back, it
// would lose other programs' lines, so it is left as it is.
template <typename Change>
void ChangeRenameSection(Change change) {
    BYTE* memory = AllocateLockedMemory(kSectionCapacity + kLineRoom);
    if (memory == nullptr) return;
    char* section = reinterpret_cast<char*>(memory);
    // Lines "key=value", each terminated, then one more terminator.
    const DWORD length = GetPrivateProfileSectionA(kRenameSection, section, kSectionCapacity, kWininit);
    if (length + 2 < kSectionCapacity && change(section, length)) {
        WritePrivateProfileSectionA(kRenameSection, section, kWininit);
        // The 95 family keeps a profile in memory: this writes it to the disk now.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, kWininit);
    }
    FreeLockedMemory(&memory);
}

// WININIT.EXE runs before long names exist, so the line names the file by
// its short path.
void AddToWininit(const char* file) {
    char shortPath[kPathCapacity];
    if (!GetShortPath(file, shortPath)) return;
    ChangeRenameSection([&](char* section, DWORD length) {
        char* end = section + length;
        if (!JoinText(end, kLineRoom, {"NUL=", shortPath})) return false;
        end[std::strlen(end) + 1] = '\0';
        return true;
    });
}

// True when `path` begins with `directory` and a separator, in either case.
// Both are in the system's code page: equal characters end at the same byte.
bool IsInside(const char* path, const char* directory) {
    const std::size_t length = std::strlen(directory);
    if (std::strlen(path) <= length || path[length] != '\\') return false;
    char head[kPathCapacity];
    std::memcpy(head, path, length);
    head[length] = '\0';
    return lstrcmpiA(head, directory) == 0;
}

// A line "key=value" either of whose paths lies inside `directory`.
bool NamesSomethingInside(const char* line, const char* directory) {
    const char* equals = static_cast<const char*>(std::memchr(line, '=', std::strlen(line)));
    return IsInside(line, directory) || (equals != nullptr && IsInside(equals + 1, directory));
}

// Drops the section's lines that name something inside `directory`, moving
// the others up, forward byte by byte over where they were; true when it
// dropped any.
bool DropLinesInside(char* section, const char* directory) {
    char* kept = section;
    const char* line = section;
    while (*line != '\0') {
        const std::size_t size = std::strlen(line) + 1;
        if (!NamesSomethingInside(line, directory))
            for (std::size_t i = 0; i < size; ++i) *kept++ = line[i];
        line += size;
    }
    *kept = '\0';
    return kept != line;
}

// Renames the running launcher within `directory` to the first aside name
// that MoveFileA takes (it refuses one that exists); `aside` gets its path.
bool MoveAside(const char* file, const char* directory, char* aside) {
    char name[sizeof kAsideName];
    std::memcpy(name, kAsideName, sizeof name);
    for (char digit = '0'; digit <= '9'; ++digit) {
        name[kAsideDigit] = digit;
        if (JoinText(aside, kPathCapacity, {directory, "\\", name}) && MoveFileA(file, aside)) return true;
    }
    return false;
}

}  // namespace

bool IsRunningProgram(const char* path) {
    char program[kPathCapacity];
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    return length != 0 && length < sizeof program && IsSamePath(path, program);
}

bool DeleteAtNextStart(const char* file, const char* directory) {
    const auto moveFileEx = FindSystemFunction<MoveFileExFunction>("kernel32.dll", "MoveFileExA");
    if (moveFileEx == nullptr) {
        AddToWininit(file);
        return false;
    }
    // Not renamed, the file still goes by its path: better than staying for good.
    char aside[kPathCapacity];
    const bool movedAside = MoveAside(file, directory, aside);
    const char* pending = movedAside ? aside : file;
    // Carried out in this order: the directory is empty by then.
    if (moveFileEx(pending, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        return moveFileEx(directory, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    const DWORD error = GetLastError();
    // Refused: what stays keeps its own name, and WININIT.INI names it as it is.
    if (movedAside && MoveFileA(aside, file)) pending = file;
    if (error == ERROR_CALL_NOT_IMPLEMENTED) AddToWininit(pending);
    return false;
}

void ForgetDeletionsInside(const char* directory) {
    char shortDirectory[kPathCapacity];
    if (!GetShortPath(directory, shortDirectory)) return;
    ChangeRenameSection([&](char* section, DWORD) { return DropLinesInside(section, shortDirectory); });
}
