#include "message_boxes.h"

namespace {

MessageBoxAnswerer* ActiveAnswerer;

// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

bool IsMessageBox(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770" && GetDlgItem(window, kMessageTextId) != nullptr;
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool HasIconControl(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        char className[16] = "";
        GetClassNameA(child, className, sizeof className);
        if (std::string(className) == "Static" && (style & SS_TYPEMASK) == SS_ICON &&
            SendMessageA(child, STM_GETICON, 0, 0) != 0)
            return true;
    }
    return false;
}

bool IsDefaultButton(HWND button) {
    return button != nullptr && (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

}  // namespace

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
    if (code == HCBT_ACTIVATE && ActiveAnswerer != nullptr && IsMessageBox(reinterpret_cast<HWND>(wParam)))
        ActiveAnswerer->OnActivate(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::OnActivate(HWND box) {
    SeenMessageBox seen;
    seen.caption = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, kMessageTextId));
    seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
    seen.hasYes = GetDlgItem(box, IDYES) != nullptr;
    seen.hasNo = GetDlgItem(box, IDNO) != nullptr;
    seen.hasIcon = HasIconControl(box);
    for (int id : {IDOK, IDYES, IDNO})
        if (IsDefaultButton(GetDlgItem(box, id))) seen.defaultButton = id;
    seen_.push_back(seen);

    int answer = seen.hasOk ? IDOK : IDNO;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}
