#include "user_input.h"

namespace {

constexpr UINT kReplyTimeoutMilliseconds = 5000;

// A key's first press: repeat count 1 and its scan code; the release adds the
// previous-state and transition bits.
LPARAM KeyDownParameter(WORD virtualKey) { return 1 | (LPARAM(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16); }
LPARAM KeyUpParameter(WORD virtualKey) { return KeyDownParameter(virtualKey) | (LPARAM(3) << 30); }

// Each button event carries its own position, so pointer motion from elsewhere
// on the display between the two events can't move the click.
INPUT MouseButtonAt(POINT point, DWORD buttonFlag) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(point.x, 65536, width) + 1;
    input.mi.dy = MulDiv(point.y, 65536, height) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlag;
    return input;
}

}  // namespace

void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void ClickWithMouse(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    SetCursorPos(centre.x, centre.y);
    INPUT clicks[] = {MouseButtonAt(centre, MOUSEEVENTF_LEFTDOWN), MouseButtonAt(centre, MOUSEEVENTF_LEFTUP)};
    SendInput(2, clicks, sizeof(INPUT));
}

void ReplaceText(HWND control, const std::string& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        kReplyTimeoutMilliseconds, &result);
}

void PressKey(HWND window, WORD virtualKey) {
    HWND focus = FocusOfThread(window);
    HWND target = focus != nullptr ? focus : window;
    PostMessageA(target, WM_KEYDOWN, virtualKey, KeyDownParameter(virtualKey));
    PostMessageA(target, WM_KEYUP, virtualKey, KeyUpParameter(virtualKey));
}

HWND FocusOfThread(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void SendCloseCommand(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }
