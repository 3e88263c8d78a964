// The main window opened inside the test program from the launcher's own
// template and picture: where it goes, what it paints, how it answers the
// palette messages and which commands end it.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "background_picture.h"
#include "dialog_procs.h"
#include "dialog_script.h"
#include "import_slots.h"
#include "message_boxes.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "shared_state.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        AppInstance = GetModuleHandleA(nullptr);
        ASSERT_NE(LoadStringA(AppInstance, IDS_APP_CAPTION, AppCaption, kCaptionCapacity), 0);
        ASSERT_TRUE(LoadBackgroundPicture(AppInstance, &picture_));
        ShowPictureInSharedState();
        GetWindowRect(GetDesktopWindow(), &ScreenRect);
        IsInstalled = 0;
    }

    void TearDown() override {
        Close();
        DeleteObject(BackPalette);
        BackPalette = nullptr;
        BackBits = nullptr;
    }

    HWND Open() {
        dialog_ = CreateDialogParamA(AppInstance, "DLG_MAIN", nullptr, DlgMainProc, 0);
        EXPECT_NE(dialog_, nullptr);
        HandlePendingMessages();
        return dialog_;
    }

    void Close() {
        if (dialog_ != nullptr) DestroyWindow(dialog_);
        dialog_ = nullptr;
    }

    // EndDialog hides a dialog that runs without its own loop.
    bool HasEnded() const { return !IsWindowVisible(dialog_); }

    void HandlePendingMessages() const {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (!IsDialogMessageA(dialog_, &message)) DispatchMessageA(&message);
    }

    SIZE OuterSize() const {
        RECT outer;
        GetWindowRect(dialog_, &outer);
        return SIZE{outer.right - outer.left, outer.bottom - outer.top};
    }

    std::vector<RECT> ButtonRects() const {
        std::vector<RECT> rects;
        for (int id : {IDC_PLAY, IDC_INSTALL, IDC_EXIT}) {
            RECT rect;
            GetWindowRect(GetDlgItem(dialog_, id), &rect);
            MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
            rects.push_back(rect);
        }
        return rects;
    }

    BackgroundPicture picture_;
    HWND dialog_ = nullptr;

private:
    // The launcher's start-up does the same from the same resource: palette,
    // colour table and the pixels bottom row first.
    void ShowPictureInSharedState() {
        BackInfo = BackgroundInfo{};
        BackInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        BackInfo.bmiHeader.biWidth = picture_.width;
        BackInfo.bmiHeader.biHeight = picture_.height;
        BackInfo.bmiHeader.biPlanes = 1;
        BackInfo.bmiHeader.biBitCount = 8;
        std::memcpy(BackInfo.bmiColors, picture_.colours.data(), sizeof BackInfo.bmiColors);
        bottomUp_.resize(picture_.indices.size());
        for (int row = 0; row < picture_.height; ++row)
            std::memcpy(&bottomUp_[size_t(picture_.height - 1 - row) * picture_.width],
                        &picture_.indices[size_t(row) * picture_.width], picture_.width);
        BackBits = bottomUp_.data();
        BackPalette = CreatePictureColourPalette();
    }

    HPALETTE CreatePictureColourPalette() const {
        struct {
            WORD version, count;
            PALETTEENTRY entries[256];
        } source = {0x0300, 256, {}};
        for (int i = 0; i < 256; ++i) {
            const RGBQUAD& colour = picture_.colours[i];
            source.entries[i] = PALETTEENTRY{colour.rgbRed, colour.rgbGreen, colour.rgbBlue, PC_NOCOLLAPSE};
        }
        return CreatePalette(reinterpret_cast<LOGPALETTE*>(&source));
    }

    std::vector<BYTE> bottomUp_;
};

TEST_F(MainWindow, OpensWithTheCaptionTextWhateverTheTemplateSays) {
    std::strcpy(AppCaption, "Q7R caption");
    Open();
    char caption[kCaptionCapacity] = "";
    GetWindowTextA(dialog_, caption, sizeof caption);
    EXPECT_STREQ(caption, "Q7R caption");
}

TEST_F(MainWindow, IsCentredOnTheScreensRightAndBottomEdgesTruncatingTowardZero) {
    Open();
    const SIZE outer = OuterSize();
    Close();
    struct Case {
        RECT screen;
        POINT expected;
    };
    // Larger than the screen by 5 and 7 pixels; smaller by 5 and 7; a screen whose left and top are not 0.
    for (const Case& c : {Case{{0, 0, outer.cx - 5, outer.cy - 7}, {-2, -3}},
                          Case{{0, 0, outer.cx + 5, outer.cy + 7}, {2, 3}},
                          Case{{100, 50, outer.cx + 5, outer.cy + 7}, {2, 3}}}) {
        ScreenRect = c.screen;
        Open();
        RECT placed;
        GetWindowRect(dialog_, &placed);
        EXPECT_EQ(placed.left, c.expected.x) << "screen right " << c.screen.right;
        EXPECT_EQ(placed.top, c.expected.y) << "screen bottom " << c.screen.bottom;
        Close();
    }
}

TEST_F(MainWindow, AnOddSizeDifferenceHidesTheSpareColumnAtTheRightAndTheSpareRowAtTheTop) {
    Open();
    RECT client;
    GetClientRect(dialog_, &client);
    const SIZE outer = OuterSize();
    SetWindowPos(dialog_, nullptr, 0, 0, outer.cx - client.right + 465, outer.cy - client.bottom + 321,
                 SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(dialog_, &client);
    ASSERT_EQ(client.right, 465);
    ASSERT_EQ(client.bottom, 321);
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    HDC windowDc = GetDC(dialog_);
    const Pixels shown = CapturePixels(windowDc, client);
    ReleaseDC(dialog_, windowDc);
    // 580 - 465 = 115 columns hidden: 57 at the left. 440 - 321 = 119 rows
    // hidden: 59 at the bottom, so the top row shown is row 60 from the top.
    EXPECT_EQ(CountDifferences(shown, picture_, POINT{57, 60}, ButtonRects()), 0);
    EXPECT_GT(CountDifferences(shown, picture_, POINT{58, 60}, ButtonRects()), 0);
    EXPECT_GT(CountDifferences(shown, picture_, POINT{57, 59}, ButtonRects()), 0);
}

TEST_F(MainWindow, PaletteMessagesRepaintNothingWhenNoColourMappingChanges) {
    Open();
    // On this true-colour display a realisation never changes a mapping.
    HDC dc = GetDC(dialog_);
    HPALETTE previous = SelectPalette(dc, BackPalette, FALSE);
    ASSERT_EQ(RealizePalette(dc), 0u);
    SelectPalette(dc, previous, FALSE);
    ReleaseDC(dialog_, dc);

    HWND otherWindow = GetDesktopWindow();
    struct Case {
        UINT message;
        WPARAM changer;
        const char* name;
    };
    for (const Case& c : {Case{WM_QUERYNEWPALETTE, 0, "palette asked for"},
                          Case{WM_PALETTECHANGED, WPARAM(otherWindow), "changed by another window"},
                          Case{WM_PALETTECHANGED, WPARAM(dialog_), "changed by the dialog itself"}}) {
        ValidateRect(dialog_, nullptr);
        SendMessageA(dialog_, c.message, c.changer, 0);
        EXPECT_FALSE(GetUpdateRect(dialog_, nullptr, FALSE)) << c.name;
    }
}

TEST_F(MainWindow, ItsProcedureAnswersZeroToEveryMessage) {
    Open();
    HDC dc = GetDC(dialog_);
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* name;
    };
    // The ending commands come last: they end the dialog.
    for (const Case& c : {Case{WM_INITDIALOG, 0, 0, "WM_INITDIALOG"}, Case{WM_PAINT, 0, 0, "WM_PAINT"},
                          Case{WM_ERASEBKGND, WPARAM(dc), 0, "WM_ERASEBKGND"},
                          Case{WM_CTLCOLORDLG, WPARAM(dc), LPARAM(dialog_), "WM_CTLCOLORDLG"},
                          Case{WM_CTLCOLORBTN, WPARAM(dc), LPARAM(GetDlgItem(dialog_, IDC_PLAY)), "WM_CTLCOLORBTN"},
                          Case{WM_QUERYNEWPALETTE, 0, 0, "WM_QUERYNEWPALETTE"},
                          Case{WM_PALETTECHANGED, WPARAM(GetDesktopWindow()), 0, "WM_PALETTECHANGED"},
                          Case{WM_COMMAND, IDCANCEL, 0, "WM_COMMAND IDCANCEL"},
                          Case{WM_COMMAND, IDC_EXIT, 0, "WM_COMMAND Exit"},
                          Case{WM_SYSCOMMAND, SC_CLOSE, 0, "WM_SYSCOMMAND SC_CLOSE"}})
        EXPECT_EQ(DlgMainProc(dialog_, c.message, c.wParam, c.lParam), 0) << c.name;
    ReleaseDC(dialog_, dc);
}

struct Command {
    UINT message;
    WPARAM wParam;
    const char* name;
};

TEST_F(MainWindow, OnlyTheExactClickOfExitAndTheExactCloseCommandEndIt) {
    for (const Command& c : {Command{WM_COMMAND, IDC_EXIT, "Exit clicked"},
                             Command{WM_SYSCOMMAND, SC_CLOSE, "close command"}}) {
        Open();
        SendMessageA(dialog_, c.message, c.wParam, 0);
        HandlePendingMessages();
        EXPECT_TRUE(HasEnded()) << c.name;
        Close();
    }
    for (const Command& c : {Command{WM_COMMAND, IDCANCEL, "Esc (IDCANCEL)"},
                             Command{WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_DOUBLECLICKED), "Exit double-clicked"},
                             Command{WM_SYSCOMMAND, SC_CLOSE | 1, "close command with low bits set"}}) {
        Open();
        SendMessageA(dialog_, c.message, c.wParam, 0);
        HandlePendingMessages();
        EXPECT_FALSE(HasEnded()) << c.name;
        Close();
    }
}

// The launcher as Windows Vista and later start it, with the player's own
// rights: its token says it is not elevated, and the start of the elevated
// copy is a stand-in that fails with StartError or else installs at once.
FARPROC(WINAPI* RealGetProcAddress)(HMODULE, LPCSTR);
DWORD StartError;
std::vector<std::string> Started;  // each start's verb and arguments

BOOL WINAPI NotElevated(HANDLE, int, void* elevation, DWORD, DWORD*) {
    *static_cast<DWORD*>(elevation) = 0;
    return TRUE;
}

BOOL WINAPI StartCopy(SHELLEXECUTEINFOA* start) {
    Started.push_back(std::string(start->lpVerb) + " " + start->lpParameters);
    SetLastError(StartError);
    if (StartError != 0) return FALSE;
    record_key::SetString("InstallDir", "C:\\Q7R");
    start->hProcess = CreateEventA(nullptr, TRUE, TRUE, nullptr);  // a copy that has ended
    return TRUE;
}

FARPROC WINAPI FindStandIns(HMODULE module, LPCSTR name) {
    const std::string wanted = reinterpret_cast<ULONG_PTR>(name) >> 16 != 0 ? name : "";
    if (wanted == "GetTokenInformation") return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(NotElevated));
    if (wanted == "ShellExecuteExA") return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(StartCopy));
    return RealGetProcAddress(module, name);
}

// Any dialog that the button opens in this process is stopped.
TEST_F(MainWindow, WithoutElevationTheButtonStartsAnElevatedCopyAndThenFollowsTheRecord) {
    std::optional<StandIn> lookUp(std::in_place, "KERNEL32.dll", "GetProcAddress",
                                  reinterpret_cast<void*>(FindStandIns));
    RealGetProcAddress = lookUp->Real<decltype(RealGetProcAddress)>();
    const struct {
        DWORD error;
        std::uint32_t installed;
        std::vector<std::string> texts;
        size_t starts;
        const char* label;
    } rows[] = {{ERROR_CANCELLED, 0, {}, 1, "インストール(&I)"},  // the player declined
                {ERROR_FILE_NOT_FOUND, 0, {"処理を開始できませんでした。"}, 1, "インストール(&I)"},
                {0, 1, {"アンインストールを実行しますか？"}, 0, "アンインストール(&U)"},  // answered No
                {0, 0, {}, 1, "アンインストール(&U)"}};
    for (const auto& row : rows) {
        record_key::Remove();
        StartError = row.error;
        IsInstalled = row.installed;
        Started.clear();
        Close();
        Open();
        MessageBoxAnswerer answerer;
        DialogScript().Click(IDC_STOP).RunAround([&] { return SendMessageA(dialog_, WM_COMMAND, IDC_INSTALL, 0); });
        EXPECT_EQ(answerer.Texts(), row.texts);
        EXPECT_EQ(Started.size(), row.starts);
        EXPECT_EQ(ControlText(dialog_, IDC_INSTALL), row.label);
        EXPECT_TRUE(IsWindowEnabled(dialog_));
    }
    lookUp.reset();
    record_key::Remove();
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    EXPECT_EQ(Started, std::vector<std::string>{"runas /install " + std::to_string(ULONG_PTR(dialog_)) + " \"" +
                                                 folder + "\""});
}

}  // namespace
