#include "window_finding.h"

#include <algorithm>

#include "child_process.h"
#include "message_boxes.h"
#include "waiting.h"
#include "wide_text.h"

namespace {

constexpr UINT kReplyTimeoutMilliseconds = 5000;

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool OfProcess(HWND window, const WindowQuery& query) {
    const DWORD process = ProcessOf(window);
    if (query.processId == 0 || process == query.processId) return true;
    if (!query.orItsChildren) return false;
    const std::vector<DWORD> children = RunningChildrenOf(query.processId);
    return std::find(children.begin(), children.end(), process) != children.end();
}

bool Fits(HWND window, const WindowQuery& query) {
    if (!IsWindowVisible(window) || ClassOf(window) != query.className) return false;
    if (!OfProcess(window, query)) return false;
    if (query.owner && GetWindow(window, GW_OWNER) != *query.owner) return false;
    if (query.controlId != 0 && GetDlgItem(window, query.controlId) == nullptr) return false;
    return IsMessageBox(window) == query.messageBox;
}

struct Search {
    const WindowQuery* query;
    HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM state) {
    auto* search = reinterpret_cast<Search*>(state);
    if (!Fits(window, *search->query)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

HWND FindWindowFitting(const WindowQuery& query) {
    Search search{&query, nullptr};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const WindowQuery& query, const std::string& what) {
    HWND found = nullptr;
    if (!WaitUntil([&] { return (found = FindWindowFitting(query)) != nullptr; }))
        throw RigFailure("no " + what + " appeared");
    return found;
}

std::wstring WideTextOf(HWND window) {
    WCHAR text[1024] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, kReplyTimeoutMilliseconds, &copied);
    return text;
}

std::string TextOf(HWND window) { return AsShiftJis(WideTextOf(window)); }

RECT OuterRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT RectInParentClient(HWND child) {
    RECT rect = OuterRect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
