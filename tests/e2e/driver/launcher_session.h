// The launcher as a player meets it: a started program, its windows and its
// message boxes, each driven through the window system.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "child_process.h"
#include "message_boxes.h"
#include "screen_pixels.h"
#include "window_finding.h"

// One of the launcher's dialogs, seen from outside.
class AppWindow {
public:
    explicit AppWindow(HWND window) : window_(window) {}

    HWND Handle() const { return window_; }
    bool IsOpen() const;
    std::string Caption() const;
    HWND Control(int id) const;  // throws RigFailure when the dialog has no such control
    std::string ControlText(int id) const;
    // True when the caption, or a control's text of one line, shows glyphs of
    // its own rather than one shape over and over (drawn_text.h).
    bool CaptionShowsItsGlyphs() const;
    bool ControlShowsItsGlyphs(int id) const;
    RECT OuterRect() const;
    RECT ClientRectOnScreen() const;
    RECT ControlRectInClient(int id) const;
    int FocusedControlId() const;  // 0 when no control of this dialog has the focus
    Pixels Screenshot() const;

    void Click(int id) const;
    void ClickWithMouse(int id) const;
    void Type(int id, const std::string& text) const;
    void PressKey(WORD virtualKey) const;
    void Close() const;

private:
    HWND window_;
};

// A message box on the screen.
class ShownMessage {
public:
    explicit ShownMessage(HWND box) : box_(box), seen_(ReadMessageBox(box)) {}

    HWND Handle() const { return box_; }
    const SeenMessageBox& Seen() const { return seen_; }
    // True when its text, of one line, shows glyphs of its own (drawn_text.h).
    bool TextShowsItsGlyphs() const;
    Pixels Screenshot() const;
    // Clicks the button and waits until the box has gone, so that a box
    // waited for next is never this one.
    void Press(int button) const;

private:
    HWND box_;
    SeenMessageBox seen_;
};

class Launcher {
public:
    // Starts the launcher program with `folder` as its current directory and
    // `environment` ("NAME=value") added to the rig's.
    Launcher(const std::string& program, const std::string& folder, const std::vector<std::string>& environment);

    DWORD ProcessId() const { return process_.Id(); }
    // The main window, once it is there.
    AppWindow Main() const;
    // A dialog owned by the main window that holds the control `controlId`;
    // a window owned by one of the launcher's is taken from any process, such
    // as a copy of the launcher that it started elevated.
    AppWindow WaitDialog(int controlId) const;
    // A message box owned by `owner`, from any process.
    ShownMessage WaitMessage(const AppWindow& owner) const;
    // A message box of the launcher or of a process it started, whatever its owner.
    ShownMessage WaitAnyMessage() const;
    DWORD WaitForExit() const;
    bool HasEnded() const { return process_.HasEnded(); }
    bool RunsUnderWow64() const { return process_.RunsUnderWow64(); }
    // Ends the launcher and what it started; false when nothing was left running.
    bool KillIfRunning() const;

private:
    WindowQuery OwnWindows() const;

    ChildProcess process_;
    mutable HWND main_ = nullptr;
};
