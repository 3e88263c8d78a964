#include "installer_scene.h"

#include <algorithm>

#include "display_texts.h"
#include "resource_ids.h"
#include "shared_state.h"

void LoadLauncherState() {
    AppInstance = GetModuleHandleA(nullptr);
    ChooseTextDisplay();
    LoadCaption();
    LoadStringA(AppInstance, IDS_DEFAULT_INSTALL_DIR, DefaultInstallDir, kPathCapacity);
    GetWindowRect(GetDesktopWindow(), &ScreenRect);
}

void WriteSizedFile(const std::string& path, std::uint64_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

void WriteFileWithAttributes(const std::string& path, const std::string& bytes, DWORD attributes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    SetFileAttributesA(path.c_str(), attributes);
}

std::string PatternBytes(std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>((i * 7 + i / 65536) % 251);
    return bytes;
}

std::uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::vector<std::string> EntryNames(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool NobodyHoldsFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

void MoveCurrentFolderAway(const TempDirectory& scratch) {
    CreateDirectoryA(scratch.Join("share").c_str(), nullptr);
    CreateDirectoryA(scratch.Join("share\\demo").c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.Join("share\\demo").c_str()));
    ASSERT_TRUE(MoveFileA(scratch.Join("share").c_str(), scratch.Join("moved").c_str()));
}

namespace {

::testing::AssertionResult HasCaptionAndIcon(const SeenMessageBox& box, LPCSTR icon) {
    if (box.caption != AppCaption) return ::testing::AssertionFailure() << "caption is not AppCaption";
    if (box.icon != LoadIconA(nullptr, icon)) return ::testing::AssertionFailure() << "the icon is another";
    return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult IsReport(const SeenMessageBox& box) {
    if (!box.hasOk || box.hasYes || box.hasNo) return ::testing::AssertionFailure() << "buttons are not OK alone";
    return HasCaptionAndIcon(box, IDI_INFORMATION);
}

::testing::AssertionResult IsQuestion(const SeenMessageBox& box, int defaultButton) {
    if (box.hasOk || !box.hasYes || !box.hasNo) return ::testing::AssertionFailure() << "buttons are not Yes and No";
    if (box.defaultButton != defaultButton)
        return ::testing::AssertionFailure() << "default button is " << box.defaultButton;
    return HasCaptionAndIcon(box, IDI_QUESTION);
}
