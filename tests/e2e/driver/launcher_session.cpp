#include "launcher_session.h"

#include "drawn_text.h"
#include "resource_ids.h"
#include "user_input.h"
#include "waiting.h"
#include "window_finding.h"

namespace {

constexpr DWORD kSettleMilliseconds = 100;
constexpr int kSettleAttempts = 30;

// Pending paints are done at once; what reaches the screen after them is
// taken when two looks a moment apart agree.
Pixels SettledScreenshot(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pixels previous = CaptureScreen(OuterRect(window));
    for (int attempt = 0; attempt < kSettleAttempts; ++attempt) {
        Sleep(kSettleMilliseconds);
        Pixels current = CaptureScreen(OuterRect(window));
        if (current.bgr == previous.bgr) return current;
        previous = std::move(current);
    }
    return previous;
}

}  // namespace

bool AppWindow::IsOpen() const { return IsWindow(window_) && IsWindowVisible(window_); }

std::string AppWindow::Caption() const { return TextOf(window_); }

HWND AppWindow::Control(int id) const {
    HWND control = GetDlgItem(window_, id);
    if (control == nullptr) throw RigFailure("the dialog has no control " + std::to_string(id));
    return control;
}

std::string AppWindow::ControlText(int id) const { return TextOf(Control(id)); }

bool AppWindow::CaptionShowsItsGlyphs() const {
    return ShowsItsGlyphs(CaptionTextArea(window_), GetSysColor(COLOR_CAPTIONTEXT), WideTextOf(window_));
}

bool AppWindow::ControlShowsItsGlyphs(int id) const {
    return ShowsItsGlyphs(::OuterRect(Control(id)), GetSysColor(COLOR_WINDOWTEXT), WideTextOf(Control(id)));
}

RECT AppWindow::OuterRect() const { return ::OuterRect(window_); }

RECT AppWindow::ClientRectOnScreen() const { return ::ClientRectOnScreen(window_); }

RECT AppWindow::ControlRectInClient(int id) const { return RectInParentClient(Control(id)); }

int AppWindow::FocusedControlId() const {
    HWND focus = FocusOfThread(window_);
    return focus != nullptr && GetParent(focus) == window_ ? GetDlgCtrlID(focus) : 0;
}

Pixels AppWindow::Screenshot() const { return SettledScreenshot(window_); }

void AppWindow::Click(int id) const { PostClick(Control(id)); }

void AppWindow::ClickWithMouse(int id) const { ::ClickWithMouse(Control(id)); }

void AppWindow::Type(int id, const std::string& text) const { ReplaceText(Control(id), text); }

void AppWindow::PressKey(WORD virtualKey) const { ::PressKey(window_, virtualKey); }

void AppWindow::Close() const { SendCloseCommand(window_); }

Pixels ShownMessage::Screenshot() const { return SettledScreenshot(box_); }

bool ShownMessage::TextShowsItsGlyphs() const {
    return ShowsItsGlyphs(::OuterRect(GetDlgItem(box_, kMessageTextId)), GetSysColor(COLOR_WINDOWTEXT), seen_.wideText);
}

void ShownMessage::Press(int button) const {
    HWND control = GetDlgItem(box_, button);
    if (control == nullptr) throw RigFailure("the message box has no button " + std::to_string(button));
    PostClick(control);
    if (!WaitUntil([&] { return !IsWindow(box_); })) throw RigFailure("the message box stays after its button");
}

Launcher::Launcher(const std::string& program, const std::string& folder, const std::vector<std::string>& environment)
    : process_(program, folder, environment) {}

WindowQuery Launcher::OwnWindows() const {
    WindowQuery query;
    query.processId = ProcessId();
    return query;
}

AppWindow Launcher::Main() const {
    if (main_ == nullptr) {
        WindowQuery query = OwnWindows();
        query.owner = nullptr;
        query.controlId = IDC_PLAY;
        main_ = WaitForWindow(query, "main window");
    }
    return AppWindow(main_);
}

AppWindow Launcher::WaitDialog(int controlId) const {
    WindowQuery query;
    query.owner = Main().Handle();
    query.controlId = controlId;
    return AppWindow(WaitForWindow(query, "dialog with control " + std::to_string(controlId)));
}

ShownMessage Launcher::WaitMessage(const AppWindow& owner) const {
    WindowQuery query;
    query.owner = owner.Handle();
    query.messageBox = true;
    return ShownMessage(WaitForWindow(query, "message box owned by the window"));
}

ShownMessage Launcher::WaitAnyMessage() const {
    WindowQuery query = OwnWindows();
    query.orItsChildren = true;
    query.messageBox = true;
    return ShownMessage(WaitForWindow(query, "message box"));
}

DWORD Launcher::WaitForExit() const { return process_.WaitForExit(kPatienceMilliseconds); }

bool Launcher::KillIfRunning() const {
    bool leftRunning = false;
    for (DWORD child : RunningChildrenOf(ProcessId())) {
        KillProcess(child);
        leftRunning = true;
    }
    if (!process_.HasEnded()) {
        process_.Kill();
        leftRunning = true;
    }
    return leftRunning;
}
