#include "scratch_drives.h"

#include <windows.h>

#include "installer_scene.h"
#include "temp_directory.h"

std::string RootOf(const ScratchDrive& drive) { return std::string(1, drive.letter) + ":\\"; }

bool IsMapped(const ScratchDrive& drive) {
    ULARGE_INTEGER total;
    if (!GetDiskFreeSpaceExA(RootOf(drive).c_str(), nullptr, &total, nullptr)) return false;
    return total.QuadPart == drive.totalBytes;
}

std::string NotMappedReason(const ScratchDrive& drive) {
    return std::string(1, drive.letter) + ": is not " + drive.what +
           " (tests/e2e/drives.sh maps the small drives when run as root)";
}

void EmptyDrive(const ScratchDrive& drive) {
    const std::string root = RootOf(drive);
    for (const std::string& name : EntryNames(root + ".")) {
        const std::string path = root + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str())) RemoveTree(path);
    }
}
