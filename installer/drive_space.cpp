#include "drive_space.h"

#include <windows.h>

#include "copy_math.h"

namespace {

using GetDiskFreeSpaceExFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// Looked up at run time: the first Windows 95 lacks it.
GetDiskFreeSpaceExFunction FindGetDiskFreeSpaceEx() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) return nullptr;
    return reinterpret_cast<GetDiskFreeSpaceExFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
}

}  // namespace

bool QueryFreeBytes(const char* root, std::uint64_t* freeBytes) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters) != 1)
        return false;
    *freeBytes = ComputeFreeBytes(sectorsPerCluster, bytesPerSector, freeClusters);
    ULARGE_INTEGER available;
    GetDiskFreeSpaceExFunction getDiskFreeSpaceEx = FindGetDiskFreeSpaceEx();
    if (getDiskFreeSpaceEx != nullptr && getDiskFreeSpaceEx(root, &available, nullptr, nullptr))
        *freeBytes = available.QuadPart;
    return true;
}
