#include "uninstall.h"

#include "critical_errors.h"
#include "deletion_at_restart.h"
#include "display_texts.h"
#include "install_record.h"
#include "shared_state.h"
#include "text_join.h"

namespace {

const char kUninstallQuestion[] = "アンインストールを実行しますか？";
const char kRecordNotDeleted[] = "インストールの記録の削除に失敗しました。";

// The launcher has no C runtime, and the drive letter is ASCII in any locale.
bool IsDriveLetter(unsigned char byte) { return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'); }

// Only "X:\name..." may be emptied: an empty, relative or root path would
// turn the listing onto the files at the root of a drive or a share.
bool IsRemovableDirectory(const char* fullPath) {
    const unsigned char drive = static_cast<unsigned char>(fullPath[0]);
    return IsDriveLetter(drive) && fullPath[1] == ':' && fullPath[2] == '\\' && fullPath[3] != '\0';
}

// What became of an entry of the directory, from best to worst.
enum class Deletion { kDeleted, kAtNextStart, kKept };

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// The launcher's own file, when it runs from the installation, can't go now:
// Windows deletes it, and the directory with it, when it next starts.
Deletion DeleteInstalledFile(const char* path, const char* directory) {
    if (DeleteFileA(path)) return Deletion::kDeleted;
    if (IsRunningProgram(path) && DeleteAtNextStart(path, directory)) return Deletion::kAtNextStart;
    return Deletion::kKept;
}

// The worst that became of the directory's entries. Subdirectories are
// refused by DeleteFileA; an entry whose path does not fit is left alone.
// Only ERROR_NO_MORE_FILES ends the listing: any other failure leaves the
// entries not listed yet.
Deletion DeleteFilesInside(const char* directory) {
    char path[kPathCapacity];
    if (!JoinText(path, sizeof path, {directory, "\\*.*"})) return Deletion::kKept;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(path, &entry);
    if (search == INVALID_HANDLE_VALUE) return Deletion::kKept;
    Deletion worst = Deletion::kDeleted;
    do {
        if (IsDotEntry(entry.cFileName)) continue;
        const bool fits = JoinText(path, sizeof path, {directory, "\\", entry.cFileName});
        const Deletion deletion = fits ? DeleteInstalledFile(path, directory) : Deletion::kKept;
        if (deletion > worst) worst = deletion;
    } while (FindNextFileA(search, &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES) worst = Deletion::kKept;
    FindClose(search);
    return worst;
}

// Removes the directory, emptying it first if need be. True when it stays
// only for the running launcher, both left to Windows' next start.
bool RemoveOrLeaveToNextStart() {
    char fullPath[kPathCapacity];
    const DWORD length = GetFullPathNameA(InstalledDir, sizeof fullPath, fullPath, nullptr);
    if (!IsRemovableDirectory(InstalledDir) || length == 0 || length >= sizeof fullPath) return false;
    if (!IsRemovableDirectory(fullPath)) return false;
    if (RemoveDirectoryA(fullPath)) return false;
    const Deletion emptied = DeleteFilesInside(fullPath);
    return !RemoveDirectoryA(fullPath) && emptied == Deletion::kAtNextStart;
}

bool IsDirectory(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

// A directory still at InstalledDir stays for the player to deal with, also
// one that is never emptied (a drive's root, a relative path).
bool RemoveInstallDirectory() {
    const NoCriticalErrorBox onTheRecordedDrive;
    return RemoveOrLeaveToNextStart() || !IsDirectory(InstalledDir);
}

void ReportDirectoryLeft(HWND owner) {
    ShowPathMessage(owner, "ディレクトリ\"", InstalledDir, "\"を削除できませんでした。", kReportStyle);
}

bool AskUninstall(HWND owner) { return ShowMessage(owner, kUninstallQuestion, kQuestionStyle) == IDYES; }

int RunUninstall(HWND owner) {
    if (!AskUninstall(owner)) return 0;
    return UninstallWithoutAsking(owner);
}

int UninstallWithoutAsking(HWND owner) {
    if (!RemoveInstallDirectory()) ReportDirectoryLeft(owner);
    if (DeleteInstallRecord()) return 1;
    ShowMessage(owner, kRecordNotDeleted, kReportStyle);
    return 0;
}
