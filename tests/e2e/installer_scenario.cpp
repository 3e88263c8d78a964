#include "installer_scenario.h"

#include "launcher_texts.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "waiting.h"
#include "window_finding.h"

using namespace installer_texts;

namespace {

constexpr const char* kRecordValue = "InstallDir";

}  // namespace

HeldFile::HeldFile(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (file_ == INVALID_HANDLE_VALUE) throw RigFailure("cannot hold " + path);
}

HeldFile::~HeldFile() { CloseHandle(file_); }

// The launchers are gone before the demo folder is compared and the drives
// are emptied, so that nothing of theirs is open any more.
void InstallerScenario::TearDown() {
    LauncherScenario::TearDown();
    if (sourceNoted_) ExpectSourceUnchanged();
    for (const ScratchDrive& drive : drives_) EmptyDrive(drive);
}

void InstallerScenario::AddSourceFile(const std::string& name, const std::string& bytes, DWORD attributes) const {
    WriteFileWithAttributes(DemoFile(name), bytes, attributes);
}

void InstallerScenario::AddSparseSourceFile(const std::string& name, std::uint64_t size) const {
    WriteSizedFile(DemoFile(name), size);
}

void InstallerScenario::NoteSourceFolder() {
    source_ = TakeManifest(DemoFolder());
    sourceNoted_ = true;
}

void InstallerScenario::ExpectSourceUnchanged() const {
    EXPECT_EQ(TakeManifest(DemoFolder()), source_) << "the demo folder changed";
}

bool InstallerScenario::UseDrive(const ScratchDrive& drive) {
    if (!IsMapped(drive)) return false;
    EmptyDrive(drive);
    drives_.push_back(drive);
    return true;
}

AppWindow InstallerScenario::OpenSelection(const Launcher& launcher) const {
    launcher.Main().Click(IDC_INSTALL);
    return launcher.WaitDialog(IDC_INSTALL_DIR_EDIT);
}

ShownMessage InstallerScenario::PressStart(const Launcher& launcher, const AppWindow& selection,
                                           const std::string& directory) const {
    selection.Type(IDC_INSTALL_DIR_EDIT, directory);
    return PressStart(launcher, selection);
}

ShownMessage InstallerScenario::PressStart(const Launcher& launcher, const AppWindow& selection) const {
    selection.Click(IDC_START_INSTALL);
    return launcher.WaitMessage(selection);
}

AppWindow InstallerScenario::ConfirmInstall(const Launcher& launcher, const ShownMessage& question,
                                            const std::string& directory) const {
    ExpectQuestion(question, Question(directory), IDYES);
    question.Press(IDYES);
    return launcher.WaitDialog(IDC_PROGRESS_FRAME);
}

AppWindow InstallerScenario::StartCopy(const Launcher& launcher, const std::string& directory) const {
    const AppWindow selection = OpenSelection(launcher);
    return ConfirmInstall(launcher, PressStart(launcher, selection, directory), directory);
}

ShownMessage InstallerScenario::WaitForCopyEnd(const Launcher& launcher, const AppWindow& copy) const {
    return launcher.WaitMessage(copy);
}

void InstallerScenario::InstallInto(const Launcher& launcher, const std::string& directory) const {
    const AppWindow copy = StartCopy(launcher, directory);
    const ShownMessage finished = WaitForCopyEnd(launcher, copy);
    ExpectReport(finished, kCopyFinished);
    finished.Press(IDOK);
    WaitForSecondButton(launcher, kUninstallLabel);
}

ShownMessage InstallerScenario::ClickStop(const Launcher& launcher, const AppWindow& copy) const {
    copy.ClickWithMouse(IDC_STOP);
    const ShownMessage question = launcher.WaitMessage(copy);
    ExpectQuestion(question, installer_texts::kStopQuestion, IDNO);
    return question;
}

std::string InstallerScenario::Uninstall(const Launcher& launcher, int answer, const std::string& report) const {
    const AppWindow main = launcher.Main();
    main.Click(IDC_INSTALL);
    const ShownMessage question = launcher.WaitMessage(main);
    ExpectQuestion(question, kUninstallQuestion, IDYES);
    EXPECT_EQ(ProcessOf(question.Handle()), launcher.ProcessId()) << "asked before Windows asks for the rights";
    question.Press(answer);
    if (!report.empty()) {
        const ShownMessage shown = launcher.WaitMessage(main);
        ExpectTheWorkIn(launcher, shown.Handle());
        ExpectReport(shown, report);
        shown.Press(IDOK);
    }
    // A box shown during the removal would hold the flow before the relabelling.
    if (answer == IDYES) WaitForSecondButton(launcher, report == kRecordNotDeleted ? kUninstallLabel : kInstallLabel);
    return question.Seen().text;
}

// Read once the launcher's flow is back in the main window: a flow of its own
// holds the read until it returns; after an elevated copy has ended, the
// window is enabled once its button follows the record.
std::string InstallerScenario::SecondButton(const Launcher& launcher) {
    const AppWindow main = launcher.Main();
    const auto isBack = [&] {
        return RunningChildrenOf(launcher.ProcessId()).empty() && IsWindowEnabled(main.Handle()) != FALSE;
    };
    if (!WaitUntil(isBack)) throw RigFailure("the main window stayed disabled");
    return main.ControlText(IDC_INSTALL);
}

void InstallerScenario::WaitForSecondButton(const Launcher& launcher, const char* label) {
    if (!WaitUntil([&] { return SecondButton(launcher) == label; }))
        throw RigFailure("the second button never read its other label");
}

void InstallerScenario::ExpectRecordOf(const std::string& directory) {
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(record_key::GetValue(kRecordValue, &type, &data)) << "no record";
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(data, directory + '\0') << "the full path and its terminator";
}

void InstallerScenario::ExpectNoRecord() {
    DWORD type = 0;
    std::string data;
    EXPECT_FALSE(record_key::GetValue(kRecordValue, &type, &data)) << "a record of " << data;
}

namespace {

constexpr DWORD kIconPaintMilliseconds = 2000;

HWND IconControl(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return child;
    }
    return nullptr;
}

// The system's icon drawn here as a box draws it, on the box's background.
Pixels DrawnIcon(LPCSTR icon, int width, int height, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    const RECT area{0, 0, width, height};
    FillRect(memory, &area, brush);
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, icon), 0, 0, 0, nullptr, DI_NORMAL);
    const Pixels drawn = CapturePixels(memory, area);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return drawn;
}

// Under Wine each process has handles of its own for the system icons, so a
// box's icon is told by its pixels, once the box has painted it.
bool ShowsSystemIcon(HWND box, LPCSTR icon) {
    HWND control = IconControl(box);
    if (control == nullptr) return false;
    const RECT area = OuterRect(control);
    return WaitUntil(
        [&] {
            const COLORREF background = CaptureScreen(RECT{area.left - 1, area.top, area.left, area.top + 1}).At(0, 0);
            return CaptureScreen(area).bgr ==
                   DrawnIcon(icon, area.right - area.left, area.bottom - area.top, background).bgr;
        },
        kIconPaintMilliseconds);
}

void ExpectLaunchersBox(const ShownMessage& box, const std::string& text) {
    EXPECT_EQ(box.Seen().text, text);
    EXPECT_EQ(box.Seen().caption, kCaption);
}

}  // namespace

void ExpectReport(const ShownMessage& box, const std::string& text) {
    ExpectLaunchersBox(box, text);
    EXPECT_TRUE(box.Seen().hasOk && !box.Seen().hasYes && !box.Seen().hasNo) << "OK alone";
    EXPECT_TRUE(ShowsSystemIcon(box.Handle(), IDI_INFORMATION)) << "the information icon";
}

void ExpectQuestion(const ShownMessage& box, const std::string& text, int defaultButton) {
    ExpectLaunchersBox(box, text);
    EXPECT_TRUE(!box.Seen().hasOk && box.Seen().hasYes && box.Seen().hasNo) << "Yes and No";
    EXPECT_EQ(box.Seen().defaultButton, defaultButton);
    EXPECT_TRUE(ShowsSystemIcon(box.Handle(), IDI_QUESTION)) << "the question icon";
}

namespace {

constexpr COLORREF kBarGreen = RGB(0, 255, 0);

bool IsBarPixel(int x, int y, const Pixels& frame, int barWidth) {
    return x >= 1 && x <= barWidth && y >= 1 && y <= frame.height - 2;
}

}  // namespace

// The frame's colour is taken from its corner: Wine's window-frame colour is
// not the black of Windows' default scheme.
ShownBar ReadProgressBar(const AppWindow& copy) {
    const Pixels frame = CaptureScreen(OuterRect(copy.Control(IDC_PROGRESS_FRAME)));
    ShownBar bar;
    bar.frameWidth = frame.width;
    while (bar.width + 1 < frame.width && frame.At(bar.width + 1, 1) == kBarGreen) ++bar.width;
    const COLORREF frameColour = frame.At(0, 0);
    bar.insideFrame = frameColour != kBarGreen;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if (frame.At(x, y) != (IsBarPixel(x, y, frame, bar.width) ? kBarGreen : frameColour))
                bar.insideFrame = false;
    return bar;
}

void MoveToCorner(const AppWindow& dialog) {
    SetWindowPos(dialog.Handle(), nullptr, 8, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::uint64_t BytesInside(const std::string& directory) {
    std::uint64_t bytes = 0;
    for (const std::string& name : EntryNames(directory)) bytes += FileSize(directory + "\\" + name);
    return bytes;
}
