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
// family's profile calls handle.
constexpr SIZE_T kSectionCapacity = 32768;

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
// would replace the line of another program's: the section is read whole and
// written back with the new line at its end. WININIT.EXE runs before long
// names exist, so the line names the file by its short path.
void AddToWininit(const char* file) {
    char shortPath[kPathCapacity];
    if (!GetShortPath(file, shortPath)) return;
    BYTE* memory = AllocateLockedMemory(kSectionCapacity);
    if (memory == nullptr) return;
    char* section = reinterpret_cast<char*>(memory);
    // Lines "key=value", each terminated, then one more terminator. A section
    // that filled the buffer came back cut short and must not be written back.
    const DWORD length = GetPrivateProfileSectionA(kRenameSection, section, kSectionCapacity, kWininit);
    char* end = section + length;
    if (length + 2 < kSectionCapacity && JoinText(end, kSectionCapacity - length - 1, {"NUL=", shortPath})) {
        end[std::strlen(end) + 1] = '\0';
        WritePrivateProfileSectionA(kRenameSection, section, kWininit);
        // The 95 family keeps a profile in memory: this writes it to the disk now.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, kWininit);
    }
    FreeLockedMemory(&memory);
}

}  // namespace

bool IsRunningProgram(const char* path) {
    char program[kPathCapacity];
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    return length != 0 && length < sizeof program && IsSamePath(path, program);
}

void DeleteAtNextStart(const char* file, const char* directory) {
    if (!IsNtFamily(GetVersion())) {
        AddToWininit(file);
        return;
    }
    // Looked up at run time: the 95 family has MoveFileExA at most as a stub
    // that fails, and the launcher must load there too.
    using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    const auto moveFileEx = FindSystemFunction<MoveFileExFunction>("kernel32.dll", "MoveFileExA");
    if (moveFileEx == nullptr) return;
    // Carried out in this order: the directory is empty by then.
    if (moveFileEx(file, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
        moveFileEx(directory, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}
