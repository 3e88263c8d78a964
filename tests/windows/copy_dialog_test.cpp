// The copy dialog, run from its real template: plain files of a scratch
// source directory go into a scratch installation directory; the bar is read
// back pixel by pixel from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "broken_listing.h"
#include "copy_state.h"
#include "dialog_procs.h"
#include "dialog_script.h"
#include "import_slots.h"
#include "installer_scene.h"
#include "message_boxes.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "screen_pixels.h"
#include "shared_state.h"
#include "source_files.h"
#include "temp_directory.h"

namespace {

using Texts = std::vector<std::string>;

const char kNoFiles[] = "インストールするべきファイルが見つかりません。";
const char kCopyFailed[] = "インストールに失敗しました。";
const char kCopyFinished[] = "インストールが終了しました。";
const char kStopQuestion[] = "インストールを中断しますか？";

class FileCopy : public ::testing::Test {
protected:
    // A whole copy records the installation: the record is taken away again.
    FileCopy() {
        LoadLauncherState();
        std::strcpy(InstalledDir, target_.Path().c_str());
        RequiredBytes = 0;
        record_key::Remove();
    }
    ~FileCopy() override { record_key::Remove(); }

    static INT_PTR RunCopy(DialogScript script = DialogScript()) { return script.Run("DLG_INST", DlgInstallProc); }

    void WriteSource(const std::string& name, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        WriteFileWithAttributes(source_.Join(name), bytes, attributes);
        RequiredBytes += bytes.size();
    }

    // A hidden file, a system file and a subdirectory holding a plain file.
    void WriteEntriesThatAreNotCopied() {
        WriteSource("hidden.txt", "hidden", FILE_ATTRIBUTE_HIDDEN);
        WriteSource("system.txt", "system", FILE_ATTRIBUTE_SYSTEM);
        CreateDirectoryA(source_.Join("sub").c_str(), nullptr);
        WriteFileWithAttributes(source_.Join("sub\\inner.txt"), "inner", FILE_ATTRIBUTE_NORMAL);
    }

    void ExpectOneReport(const char* text) const {
        EXPECT_EQ(boxes_.Texts(), Texts{text});
        for (const SeenMessageBox& box : boxes_.Seen()) EXPECT_TRUE(IsReport(box)) << box.text;
    }

    TempDirectory source_;
    CurrentDirectory inSource_{source_.Path()};
    TempDirectory target_;
    MessageBoxAnswerer boxes_;
};

TEST_F(FileCopy, PlainFilesArriveByteForByteAndTheRestStays) {
    const std::map<std::string, std::string> plain = {
        {"empty.bin", ""},
        {"one_block.bin", PatternBytes(65536)},
        {"one_block_and_a_byte.bin", PatternBytes(65537)},
        {"read_only.txt", "kept as it was"},
    };
    for (const auto& [name, bytes] : plain) WriteSource(name, bytes);
    SetFileAttributesA(source_.Join("read_only.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteEntriesThatAreNotCopied();

    EXPECT_EQ(RunCopy(), 1);
    ExpectOneReport(kCopyFinished);
    EXPECT_EQ(EntryNames(target_.Path()),
              (Texts{"empty.bin", "one_block.bin", "one_block_and_a_byte.bin", "read_only.txt"}));
    for (const auto& [name, bytes] : plain) {
        EXPECT_TRUE(ReadWholeFile(target_.Join(name)) == bytes) << name << " differs";
        EXPECT_TRUE(NobodyHoldsFile(source_.Join(name))) << name;
        EXPECT_TRUE(NobodyHoldsFile(target_.Join(name))) << name;
    }
    EXPECT_EQ(GetFileAttributesA(target_.Join("read_only.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(CopiedBytes, 65536u + 65537u + 14u);
    DWORD type = 0;
    std::string recorded;
    EXPECT_TRUE(record_key::GetValue("InstallDir", &type, &recorded)) << "a whole copy is recorded";
    EXPECT_EQ(recorded, target_.Path() + '\0');
}

TEST_F(FileCopy, HiddenSystemFilesAndSubdirectoriesAloneAreNothingToInstall) {
    WriteEntriesThatAreNotCopied();
    EXPECT_EQ(RunCopy(), 0);
    ExpectOneReport(kNoFiles);
    EXPECT_TRUE(EntryNames(target_.Path()).empty());
}

TEST_F(FileCopy, ASourceThatCannotBeOpenedFailsTheCopy) {
    WriteSource("locked.bin", "locked");
    HANDLE lock = CreateFileA(source_.Join("locked.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const INT_PTR result = RunCopy();
    CloseHandle(lock);
    EXPECT_EQ(result, 0);
    ExpectOneReport(kCopyFailed);
    EXPECT_TRUE(EntryNames(target_.Path()).empty());
}

TEST_F(FileCopy, ADestinationPathThatDoesNotFitFailsTheCopy) {
    std::string deep = target_.Path();
    while (deep.size() < 220) {
        deep += "\\" + std::string(40, 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    }
    std::strcpy(InstalledDir, deep.c_str());
    // With the backslash the path is 260 bytes long: no room for the terminator.
    const std::string name(kPathCapacity - 1 - deep.size(), 'n');
    WriteSource(name, "does not fit");
    EXPECT_EQ(RunCopy(), 0);
    ExpectOneReport(kCopyFailed);
    EXPECT_TRUE(EntryNames(deep).empty());
    EXPECT_TRUE(NobodyHoldsFile(source_.Join(name)));
}

// A listing that breaks (a share that drops, a disc that can't be read) fails
// the copy, before the first file as between two: the files it had not listed
// would be missing. The search lists "." and ".." first.
TEST_F(FileCopy, AListingThatBreaksFailsTheCopy) {
    for (const char* name : {"a.bin", "b.bin", "c.bin"}) WriteSource(name, "listed");
    struct Break {
        int entries;
        DWORD error;
        std::size_t filesCopied;
    };
    for (const Break& at : {Break{1, ERROR_CRC, 0}, Break{2, ERROR_NETNAME_DELETED, 1}}) {
        SCOPED_TRACE("broken after " + std::to_string(at.entries) + " entries");
        INT_PTR result = 0;
        {
            const BrokenListing listing(at.entries, at.error);
            result = RunCopy();
            EXPECT_EQ(listing.FailedCalls(), 1);
        }
        EXPECT_EQ(result, 0);
        EXPECT_EQ(EntryNames(target_.Path()).size(), at.filesCopied);
    }
    EXPECT_EQ(boxes_.Texts(), (Texts{kCopyFailed, kCopyFailed}));
    for (const SeenMessageBox& box : boxes_.Seen()) EXPECT_TRUE(IsReport(box)) << box.text;
    EXPECT_FALSE(record_key::Exists());
}

// Its folder moved away (on a share, by another machine): a listing that
// can't start is no empty folder.
TEST_F(FileCopy, ASourceFolderMovedAwayFailsTheCopy) {
    MoveCurrentFolderAway(source_);
    EXPECT_EQ(RunCopy(), 0);
    ExpectOneReport(kCopyFailed);
    EXPECT_TRUE(EntryNames(target_.Path()).empty());
}

HFILE(WINAPI* RealClose)(HFILE);

// The installed file is closed, but a network redirector reports its last
// write lost only there.
HFILE WINAPI CloseThatLosesTheTarget(HFILE file) {
    const bool target = file == TargetFile;
    RealClose(file);
    return target ? HFILE_ERROR : 0;
}

TEST_F(FileCopy, ATargetWhoseCloseFailsFailsTheCopy) {
    WriteSource("a.bin", "written at the close");
    const StandIn close("KERNEL32.dll", "_lclose", reinterpret_cast<void*>(CloseThatLosesTheTarget));
    RealClose = close.Real<decltype(RealClose)>();
    EXPECT_EQ(RunCopy(), 0);
    ExpectOneReport(kCopyFailed);
    EXPECT_FALSE(record_key::Exists());
}

// The stop button pressed from a tick that the copy's pump lets through, so
// its handling runs nested in a step, as a user's click taken by the pump does.
std::uint64_t ClickStopDuringCopy(HWND dialog, std::uint64_t* copiedWhenAsked) {
    *copiedWhenAsked = CopiedBytes;
    SendMessageA(GetDlgItem(dialog, IDC_STOP), BM_CLICK, 0, 0);
    return CopiedBytes;
}

TEST_F(FileCopy, StopAsksNoGoesOnAndYesEndsWithThePartlyWrittenFileClosed) {
    const std::uint64_t bigFile = std::uint64_t(256) << 20;
    WriteSizedFile(source_.Join("big.bin"), bigFile);
    RequiredBytes = bigFile;
    boxes_.Answer(IDNO);
    boxes_.Answer(IDYES);
    std::uint64_t askedFirst = 0, answeredNo = 0, askedAgain = 0, answeredYes = 0;
    DialogScript script;
    script.Do([&](HWND dialog) { answeredNo = ClickStopDuringCopy(dialog, &askedFirst); });
    script.Do([&](HWND dialog) { answeredYes = ClickStopDuringCopy(dialog, &askedAgain); });

    EXPECT_EQ(RunCopy(script), 0);
    EXPECT_EQ(boxes_.Texts(), (Texts{kStopQuestion, kStopQuestion}));
    for (const SeenMessageBox& box : boxes_.Seen()) EXPECT_TRUE(IsQuestion(box, IDNO));
    EXPECT_EQ(answeredNo, askedFirst) << "the copy stands still while the question is open";
    EXPECT_GT(askedAgain, answeredNo) << "the copy goes on after No";
    EXPECT_EQ(answeredYes, askedAgain);

    const std::string part = target_.Join("big.bin");
    EXPECT_TRUE(NobodyHoldsFile(part));
    EXPECT_TRUE(NobodyHoldsFile(source_.Join("big.bin")));
    EXPECT_EQ(FileSize(part), answeredYes);
    EXPECT_LT(answeredYes, bigFile);
}

struct EligibilityRow {
    const char* name;
    DWORD onDisk;  // FILE_ATTRIBUTE_DIRECTORY makes a subdirectory
    // Bits that Windows sets, but that Wine's file system does not keep:
    // added to the entry as the search lists it.
    DWORD listedAlso;
    bool copied;
};

// Wine's own share of the bits: read-only, hidden, system, archive, directory.
constexpr DWORD kRo = FILE_ATTRIBUTE_READONLY, kHidden = FILE_ATTRIBUTE_HIDDEN, kSystem = FILE_ATTRIBUTE_SYSTEM,
                kDirectory = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD kCloudOnly = FILE_ATTRIBUTE_REPARSE_POINT | 0x100000 | 0x400000;  // unpinned, recalled on access
constexpr DWORD kCloudKept = FILE_ATTRIBUTE_REPARSE_POINT | 0x80000;              // pinned

const EligibilityRow kEligibility[] = {
    {"plain.txt", 0, 0, true},
    {"archive.txt", FILE_ATTRIBUTE_ARCHIVE, 0, true},
    {"normal.txt", FILE_ATTRIBUTE_NORMAL, 0, true},
    {"read_only.txt", kRo, 0, true},
    {"hidden.txt", kHidden, 0, false},
    {"system.txt", kSystem, 0, false},
    {"hidden_read_only.txt", kHidden | kRo, 0, false},
    {"sub", kDirectory, 0, false},
    {"temporary.txt", 0, FILE_ATTRIBUTE_TEMPORARY, true},
    {"sparse.txt", 0, FILE_ATTRIBUTE_SPARSE_FILE, true},
    {"compressed.txt", 0, FILE_ATTRIBUTE_COMPRESSED, true},
    {"offline.txt", 0, FILE_ATTRIBUTE_OFFLINE, true},
    {"not_indexed.txt", 0, FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, true},  // indexing off for the drive
    {"encrypted.txt", 0, FILE_ATTRIBUTE_ENCRYPTED, true},
    {"integrity_stream.txt", 0, 0x8000, true},  // ReFS
    {"in_the_cloud.txt", 0, kCloudOnly, true},  // OneDrive, not yet on the disc
    {"kept_from_the_cloud.txt", 0, kCloudKept, true},
    {"read_only_compressed.txt", kRo, FILE_ATTRIBUTE_COMPRESSED, true},
    {"hidden_compressed.txt", kHidden, FILE_ATTRIBUTE_COMPRESSED, false},
    {"system_not_indexed.txt", kSystem, FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, false},
    {"hidden_in_the_cloud.txt", kHidden, kCloudOnly, false},
    {"sub_compressed", kDirectory, FILE_ATTRIBUTE_COMPRESSED, false},
    {"volume_label", 0, 0x08, false},
    {"device", 0, FILE_ATTRIBUTE_DEVICE, false},
};

TEST(CopyEligibility, PlainFilesAreCopiedWhateverElseTheirAttributesSay) {
    TempDirectory dir;
    std::map<std::string, DWORD> listedAlso;
    std::map<std::string, bool> expected = {{".", false}, {"..", false}};
    for (const EligibilityRow& row : kEligibility) {
        if (row.onDisk == kDirectory)
            CreateDirectoryA(dir.Join(row.name).c_str(), nullptr);
        else
            WriteFileWithAttributes(dir.Join(row.name), "x", row.onDisk);
        listedAlso[row.name] = row.listedAlso;
        expected[row.name] = row.copied;
    }

    std::map<std::string, bool> eligible;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(dir.Join("*.*").c_str(), &entry);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        entry.dwFileAttributes |= listedAlso[entry.cFileName];
        eligible[entry.cFileName] = IsEligibleEntry(entry);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    EXPECT_EQ(eligible, expected);
}

// The green pixels inside the bar's frame: their bounds and how many there are.
struct GreenArea {
    int left = -1, top = -1, right = -1, bottom = -1, count = 0;
    int Width() const { return count == 0 ? 0 : right - left + 1; }
};

GreenArea FindGreenArea(HWND frame) {
    RECT client;
    GetClientRect(frame, &client);
    HDC dc = GetDC(frame);
    GreenArea area;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            if (GetPixel(dc, x, y) != RGB(0, 255, 0)) continue;
            if (area.count++ == 0) area.left = x, area.top = y;
            area.left = std::min(area.left, x);
            area.right = std::max(area.right, x);
            area.bottom = y;
        }
    }
    ReleaseDC(frame, dc);
    return area;
}

INT_PTR CALLBACK Inert(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// DLG_INST shown without its copy, the bar's frame made 264 pixels wide.
class ProgressBar : public ::testing::Test {
protected:
    static constexpr int kFrameWidth = 264, kFrameHeight = 16;

    ProgressBar() {
        LoadLauncherState();
        dialog_ = CreateDialogParamA(AppInstance, "DLG_INST", nullptr, Inert, 0);
        frame_ = GetDlgItem(dialog_, IDC_PROGRESS_FRAME);
        SetWindowPos(frame_, nullptr, 0, 0, kFrameWidth, kFrameHeight, SWP_NOMOVE | SWP_NOZORDER);
    }
    ~ProgressBar() override { DestroyWindow(dialog_); }

    // The frame painted afresh, then the bar drawn for these counts.
    GreenArea Draw(std::uint64_t copied, std::uint64_t required) {
        RedrawWindow(frame_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        CopiedBytes = copied;
        RequiredBytes = required;
        DrawCopyProgress(dialog_);
        return FindGreenArea(frame_);
    }

    HWND dialog_ = nullptr;
    HWND frame_ = nullptr;
};

// A filled rectangle of the given width from (1, 1), one pixel inside the frame.
void ExpectBarOfWidth(const GreenArea& area, int width, int frameHeight) {
    ASSERT_EQ(area.Width(), width);
    if (width == 0) return;
    EXPECT_EQ(area.left, 1);
    EXPECT_EQ(area.top, 1);
    EXPECT_EQ(area.bottom, frameHeight - 2);
    EXPECT_EQ(area.count, width * (frameHeight - 2)) << "not a filled rectangle";
}

struct BarCase {
    std::uint64_t copied, required;
    int width;
};

TEST_F(ProgressBar, GrowsFromTheLeftOnePixelInsideTheFrame) {
    const BarCase cases[] = {
        {30000, 60000, 131},      {60000, 60000, 262},       {65535, 10000000, 0},
        {5000000, 10000000, 131}, {10000000, 10000000, 262},
        // From 65,536 bytes on, only whole units of 65,536 bytes count.
        {65535, 65536, 0},        {65536, 131072, 131},
    };
    for (const BarCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.copied) + " of " + std::to_string(c.required));
        ExpectBarOfWidth(Draw(c.copied, c.required), c.width, kFrameHeight);
    }
}

// More copied than was measured (a source that grew), or nothing measured.
TEST_F(ProgressBar, NeverLeavesItsFrameNorDividesByZero) {
    const std::pair<std::uint64_t, std::uint64_t> counts[] = {
        {5, 0}, {65536, 0}, {100, 50}, {20000000, 10000000}, {std::uint64_t(5) << 32, 65536}};
    for (const auto& [copied, required] : counts) {
        SCOPED_TRACE(std::to_string(copied) + " of " + std::to_string(required));
        const GreenArea area = Draw(copied, required);
        EXPECT_LE(area.Width(), kFrameWidth - 2);
        ExpectBarOfWidth(area, area.Width(), kFrameHeight);
    }
}

int GreenPixelsOnScreenCorner() {
    const Pixels corner = CaptureScreen(RECT{0, 0, 64, 64});
    int green = 0;
    for (int y = 0; y < corner.height; ++y)
        for (int x = 0; x < corner.width; ++x) green += corner.At(x, y) == RGB(0, 255, 0);
    return green;
}

// Without its frame the bar has no rectangle to be drawn in, and nothing is
// drawn: not on the screen, through the device context of no window, where a
// bar would start at (1, 1).
TEST_F(ProgressBar, WithoutItsFrameDrawsNothing) {
    DestroyWindow(frame_);
    CopiedBytes = RequiredBytes = 65536;
    DrawCopyProgress(dialog_);
    EXPECT_EQ(GreenPixelsOnScreenCorner(), 0);
    // Whatever was painted on the screen goes, for the screen readings after this.
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace
