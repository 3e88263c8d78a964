#include "dialog_script.h"

#include "display_texts.h"

#include "message_boxes.h"
#include "wide_text.h"
#include "shared_state.h"

namespace {

DialogScript* RunningScript;
constexpr UINT kTickMilliseconds = 20;
constexpr int kIdleTicksBeforeGivingUp = 250;  // five seconds

}  // namespace

DialogScript& DialogScript::Do(Action action) {
    actions_.push_back(std::move(action));
    return *this;
}

DialogScript& DialogScript::SetText(int controlId, const std::string& text) {
    return Do([controlId, text](HWND dialog) { SetDlgItemTextA(dialog, controlId, text.c_str()); });
}

DialogScript& DialogScript::Click(int controlId) {
    return Do([controlId](HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), 0); });
}

INT_PTR DialogScript::Run(const char* templateName, DLGPROC procedure, HWND owner) {
    return RunAround([&] { return RunDialog(templateName, owner, procedure); });
}

INT_PTR DialogScript::RunAround(const std::function<INT_PTR()>& modalCode) {
    RunningScript = this;
    next_ = 0;
    idleTicks_ = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMilliseconds, OnTick);
    const INT_PTR result = modalCode();
    KillTimer(nullptr, timer);
    RunningScript = nullptr;
    return result;
}

void CALLBACK DialogScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (RunningScript != nullptr) RunningScript->Step();
}

void DialogScript::Step() {
    HWND dialog = GetActiveWindow();
    if (dialog == nullptr || IsMessageBox(dialog)) return;
    if (next_ < actions_.size()) {
        actions_[next_++](dialog);
        return;
    }
    if (++idleTicks_ >= kIdleTicksBeforeGivingUp) EndDialog(dialog, kScriptTimedOut);
}

std::string ControlText(HWND dialog, int controlId) {
    return AsShiftJis(WideWindowText(GetDlgItem(dialog, controlId)));
}

HGDIOBJ ControlFont(HWND dialog, int controlId) {
    return reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(dialog, controlId, WM_GETFONT, 0, 0));
}
