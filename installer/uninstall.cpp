#include "uninstall.h"

#include "critical_errors.h"
#include "deletion_at_restart.h"
#include "display_texts.h"
#include "install_record.h"
#include "shared_state.h"
#include "text_join.h"

namespace {

const char kUninstallQuestion[] = "アンインストールを実行しますか？";

// The launcher has no C runtime, and the drive letter is ASCII in any locale.
bool IsDriveLetter(unsigned char byte) { return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'); }

// Only "X:\name..." may be emptied: an empty, relative or root path would
// turn the listing onto the files at the root of a drive or a share.
bool IsRemovableDirectory(const char* fullPath) {
    const unsigned char drive = static_cast<unsigned char>(fullPath[0]);
    return IsDriveLetter(drive) && fullPath[1] == ':' && fullPath[2] == '\\' && fullPath[3] != '\0';
}

// The launcher's own file, when it runs from the installation, can't go now:
// Windows deletes it, and the directory with it, when it next starts.
void DeleteInstalledFile(const char* path, const char* directory) {
    if (!DeleteFileA(path) && IsRunningProgram(path)) DeleteAtNextStart(path, directory);
}

void DeleteFilesInside(const char* directory) {
    char path[kPathCapacity];
    if (!JoinText(path, sizeof path, {directory, "\\*.*"})) return;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(path, &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // "." and ".." and subdirectories are refused by DeleteFileA; an entry
        // whose path does not fit is left alone.
        if (JoinText(path, sizeof path, {directory, "\\", entry.cFileName})) DeleteInstalledFile(path, directory);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

void RemoveInstallDirectory() {
    const NoCriticalErrorBox onTheRecordedDrive;
    char fullPath[kPathCapacity];
    const DWORD length = GetFullPathNameA(InstalledDir, sizeof fullPath, fullPath, nullptr);
    if (!IsRemovableDirectory(InstalledDir) || length == 0 || length >= sizeof fullPath) return;
    if (!IsRemovableDirectory(fullPath)) return;
    if (RemoveDirectoryA(fullPath)) return;
    DeleteFilesInside(fullPath);
    RemoveDirectoryA(fullPath);
}

bool AskUninstall(HWND owner) { return ShowMessage(owner, kUninstallQuestion, kQuestionStyle) == IDYES; }

int RunUninstall(HWND owner) {
    if (!AskUninstall(owner)) return 0;
    return UninstallWithoutAsking(owner);
}

int UninstallWithoutAsking(HWND) {
    RemoveInstallDirectory();
    DeleteInstallRecord();
    return 1;
}
