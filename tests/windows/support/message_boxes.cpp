#include "message_boxes.h"

#include "wide_text.h"

namespace {

MessageBoxAnswerer* ActiveAnswerer;

// A box gives its default button the focus; under Wine that happens before
// the box is activated, when no button shows the default style yet.
HWND LastFocusParent;
int LastFocusId;

HICON ShownIcon(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        char className[16] = "";
        GetClassNameA(child, className, sizeof className);
        if (std::string(className) != "Static" || (style & SS_TYPEMASK) != SS_ICON) continue;
        if (HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0))) return icon;
    }
    return nullptr;
}

bool IsDefaultButton(HWND button) {
    return button != nullptr && (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

}  // namespace

// The launcher's own dialogs hold a static of id 0xFFFF (-1) too, but none of
// a box's buttons.
bool IsMessageBox(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || GetDlgItem(window, kMessageTextId) == nullptr) return false;
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
        if (GetDlgItem(window, id) != nullptr) return true;
    return false;
}

SeenMessageBox ReadMessageBox(HWND box) {
    SeenMessageBox seen;
    seen.caption = AsShiftJis(WideWindowText(box));
    seen.wideText = WideWindowText(GetDlgItem(box, kMessageTextId));
    seen.text = AsShiftJis(seen.wideText);
    seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
    seen.hasYes = GetDlgItem(box, IDYES) != nullptr;
    seen.hasNo = GetDlgItem(box, IDNO) != nullptr;
    seen.icon = ShownIcon(box);
    seen.hasIcon = seen.icon != nullptr;
    for (int id : {IDOK, IDYES, IDNO})
        if (IsDefaultButton(GetDlgItem(box, id))) seen.defaultButton = id;
    return seen;
}

MessageBoxAnswerer::MessageBoxAnswerer(std::deque<int> answers) : answers_(std::move(answers)) {
    ActiveAnswerer = this;
    hook_ = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    ActiveAnswerer = nullptr;
}

std::vector<std::string> MessageBoxAnswerer::Texts() const {
    std::vector<std::string> texts;
    for (const SeenMessageBox& box : seen_) texts.push_back(box.text);
    return texts;
}

LRESULT CALLBACK MessageBoxAnswerer::OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SETFOCUS && wParam != 0) {
        LastFocusParent = GetParent(reinterpret_cast<HWND>(wParam));
        LastFocusId = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
    }
    if (code == HCBT_ACTIVATE && ActiveAnswerer != nullptr && IsMessageBox(reinterpret_cast<HWND>(wParam)))
        ActiveAnswerer->OnActivate(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::OnActivate(HWND box) {
    SeenMessageBox seen = ReadMessageBox(box);
    if (seen.defaultButton == 0 && LastFocusParent == box) seen.defaultButton = LastFocusId;
    seen_.push_back(seen);

    int answer = seen.hasOk ? IDOK : IDNO;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}
