#include "drive_space.h"

#include <windows.h>

#include "copy_math.h"
#include "critical_errors.h"
#include "system_functions.h"

bool QueryFreeBytes(const char* root, std::uint64_t* freeBytes) {
    const NoCriticalErrorBox onTheTypedDrive;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters) != 1)
        return false;
    *freeBytes = ComputeFreeBytes(sectorsPerCluster, bytesPerSector, freeClusters);
    ULARGE_INTEGER available;
    // The first Windows 95 lacks it.
    using GetDiskFreeSpaceExFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    const auto getDiskFreeSpaceEx =
        FindSystemFunction<GetDiskFreeSpaceExFunction>("kernel32.dll", "GetDiskFreeSpaceExA");
    if (getDiskFreeSpaceEx != nullptr && getDiskFreeSpaceEx(root, &available, nullptr, nullptr))
        *freeBytes = available.QuadPart;
    return true;
}
