// The directory selection: the space needed, the target directory, its tests
// and its creation.
#include <cstring>

#include "copy_math.h"
#include "critical_errors.h"
#include "deletion_at_restart.h"
#include "dialog_procs.h"
#include "display_texts.h"
#include "path_parts.h"
#include "placement.h"
#include "resource_ids.h"
#include "shared_state.h"
#include "drive_space.h"
#include "source_files.h"
#include "text_join.h"

namespace {

const char kNoFiles[] = "インストールするべきファイルが見つかりません。";
const char kNoDirectory[] = "ディレクトリを指定してください。";
const char kNetworkDrive[] = "ネットワークドライブにはインストールできません。";
const char kBadDrive[] = "指定ドライブにはインストールできません。";
const char kNoRoom[] = "指定ドライブの空き容量が不足しています。";
const char kAlreadyExists[] = "ディレクトリがすでに存在します。";
const char kCannotCreate[] = "ディレクトリが作成できません。";
const char kCopyFailed[] = "インストールに失敗しました。";
const char kSizeFormat[] = "インストールに必用な容量 = %3d.%1d M byte";
constexpr int kTextCapacity = 512;

// Paths are in the system's ANSI code page, whatever the texts are written in.
bool IsSystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

void Refuse(HWND dialog, const char* message) { ShowMessage(dialog, message, kReportStyle); }

void ShowRequiredSize(HWND dialog) {
    char text[kTextCapacity];
    const SizeTextFigures figures = ComputeSizeTextFigures(RequiredBytes);
    wsprintfA(text, kSizeFormat, static_cast<int>(figures.whole), static_cast<int>(figures.tenth));
    ShowControlText(dialog, IDC_SIZE_TEXT, text);
}

// The Windows directory's drive letter and colon, then the default directory.
void OfferDefaultDirectory(HWND dialog) {
    char text[kTextCapacity];
    GetWindowsDirectoryA(text, sizeof text);
    text[2] = '\0';
    char offered[kTextCapacity];
    JoinText(offered, sizeof offered, {text, DefaultInstallDir});
    SetDlgItemTextA(dialog, IDC_INSTALL_DIR_EDIT, offered);
}

// A listing that breaks while it is measured fails the install as it would
// fail the copy.
void OnInitDialog(HWND dialog) {
    PlaceInstallDialog(dialog);
    UseDialogFont(dialog);
    const SourceMeasure measure = MeasureSourceFiles(&RequiredBytes);
    if (measure != SourceMeasure::kMeasured) {
        Refuse(dialog, measure == SourceMeasure::kNoEntry ? kNoFiles : kCopyFailed);
        EndDialog(dialog, 0);
        return;
    }
    ShowRequiredSize(dialog);
    OfferDefaultDirectory(dialog);
}

// Reads the typed text into InstalledDir as a full path. A text or a full path
// that does not fit the path buffers is refused here rather than cut short.
bool ReadChosenDirectory(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_INSTALL_DIR_EDIT);
    if (GetWindowTextLengthA(edit) >= kPathCapacity) {
        Refuse(dialog, kCannotCreate);
        return false;
    }
    if (SendDlgItemMessageA(dialog, IDC_INSTALL_DIR_EDIT, WM_GETTEXT, kPathCapacity,
                            reinterpret_cast<LPARAM>(InstalledDir)) == 0) {
        Refuse(dialog, kNoDirectory);
        return false;
    }
    char fullPath[kPathCapacity];
    const DWORD length = GetFullPathNameA(InstalledDir, sizeof fullPath, fullPath, nullptr);
    if (length == 0 || length >= sizeof fullPath) {
        Refuse(dialog, kCannotCreate);
        return false;
    }
    // "C:\Games\" means the directory "C:\Games".
    TrimTrailingSeparator(fullPath, IsSystemLeadByte);
    std::memcpy(InstalledDir, fullPath, std::strlen(fullPath) + 1);
    return true;
}

bool HasRoomOnDrive(HWND dialog) {
    char root[] = "A:\\";
    root[0] = InstalledDir[0];
    std::uint64_t freeBytes = 0;
    if (!QueryFreeBytes(root, &freeBytes)) {
        Refuse(dialog, kBadDrive);
        return false;
    }
    if (!HasRoomFor(freeBytes, RequiredBytes)) {
        Refuse(dialog, kNoRoom);
        return false;
    }
    return true;
}

bool ConfirmDirectory(HWND dialog) {
    const int answer =
        ShowPathMessage(dialog, "ディレクトリ\"", InstalledDir, "\"にインストールを行います。", kQuestionStyle);
    return answer == IDYES;
}

// Parents are created left to right; those that exist or can't be made pass
// without a word, and the final creation tells.
void CreateParentDirectories() {
    std::size_t lengths[kPathCapacity];
    const std::size_t count = FindParentLengths(InstalledDir, IsSystemLeadByte, lengths, kPathCapacity);
    for (std::size_t i = 0; i < count; ++i) {
        char parent[kPathCapacity];
        std::memcpy(parent, InstalledDir, lengths[i]);
        parent[lengths[i]] = '\0';
        CreateDirectoryA(parent, nullptr);
    }
}

// The parents, then the directory: ERROR_SUCCESS when it was made, else why not.
DWORD CreateChosenDirectory() {
    const NoCriticalErrorBox onTheTypedDrive;
    CreateParentDirectories();
    if (!CreateDirectoryA(InstalledDir, nullptr)) return GetLastError();
    ForgetDeletionsInside(InstalledDir);
    return ERROR_SUCCESS;
}

void OnStartInstall(HWND dialog) {
    if (!ReadChosenDirectory(dialog)) return;
    if (InstalledDir[0] == '\\') {
        Refuse(dialog, kNetworkDrive);
        return;
    }
    if (!HasRoomOnDrive(dialog) || !ConfirmDirectory(dialog)) return;
    const DWORD error = CreateChosenDirectory();
    if (error == ERROR_SUCCESS) {
        EndDialog(dialog, 1);
        return;
    }
    Refuse(dialog, error == ERROR_ALREADY_EXISTS ? kAlreadyExists : kCannotCreate);
}

}  // namespace

extern "C" INT_PTR CALLBACK DlgSelectProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return 1;
    case WM_COMMAND:
        if (wParam == IDC_START_INSTALL) {
            OnStartInstall(dialog);
            return 1;
        }
        if (wParam == IDC_STOP) {
            EndDialog(dialog, 0);
            return 1;
        }
        return 0;
    }
    return 0;
}
