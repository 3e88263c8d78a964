// Drives a modal dialog of the code under test from inside its own message
// loop: a thread timer runs the next scripted action whenever the dialog is
// the active window (message boxes are left to MessageBoxAnswerer).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class DialogScript {
public:
    using Action = std::function<void(HWND dialog)>;

    DialogScript& Do(Action action);
    DialogScript& SetText(int controlId, const std::string& text);
    // A click as the dialog manager delivers it: WM_COMMAND with the id and BN_CLICKED.
    DialogScript& Click(int controlId);

    // Runs the template from the launcher's resources with `procedure`, as the
    // launcher runs its dialogs, and returns what the dialog ended with. A dialog still open some time after
    // the last action is ended with kScriptTimedOut.
    INT_PTR Run(const char* templateName, DLGPROC procedure, HWND owner = nullptr);
    // The same for code that opens its dialogs itself (RunLauncher, say):
    // the script acts on whichever dialog is active while `modalCode` runs.
    INT_PTR RunAround(const std::function<INT_PTR()>& modalCode);

    static constexpr INT_PTR kScriptTimedOut = -100;

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Step();

    std::vector<Action> actions_;
    size_t next_ = 0;
    int idleTicks_ = 0;
};

// Text of a dialog's control.
std::string ControlText(HWND dialog, int controlId);
// The font a dialog's control draws with; nullptr for the system font.
HGDIOBJ ControlFont(HWND dialog, int controlId);
