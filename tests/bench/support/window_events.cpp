#include "window_events.h"

#include <string>

#include "figures.h"

namespace {

// A dialog shows within this time of its creation or is one that stays hidden.
constexpr double kShowingMilliseconds = 500;
constexpr DWORD kDeadlineLookMilliseconds = 250;

std::vector<WindowEvents::Created>* CreatedWindows;

bool IsTopLevelDialog(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770" && GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

}  // namespace

WindowEvents::WindowEvents()
    : hook_(SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, OnEvent, 0, 0,
                            WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS)) {
    if (hook_ == nullptr) throw RigFailure("no window creation events");
    CreatedWindows = &created_;
}

WindowEvents::~WindowEvents() {
    UnhookWinEvent(hook_);
    CreatedWindows = nullptr;
}

void CALLBACK WindowEvents::OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (CreatedWindows != nullptr && object == OBJID_WINDOW && child == CHILDID_SELF)
        CreatedWindows->push_back({window, NowMilliseconds()});
}

// The events come as messages to this thread.
void WindowEvents::TakeEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Windows that can no longer be the one awaited are dropped, so that looking
// costs nothing while the watched program works: gone ones, other kinds, shown
// ones that don't fit, and ones that stay hidden.
const WindowEvents::Created* WindowEvents::FirstShown(const std::function<bool(HWND)>& fits, bool* showingSoon) {
    *showingSoon = false;
    std::vector<Created> pending;
    for (const Created& created : created_) {
        if (!IsWindow(created.window) || !IsTopLevelDialog(created.window)) continue;
        if (IsWindowVisible(created.window)) {
            if (fits(created.window)) return &created;
        } else if (NowMilliseconds() - created.at < kShowingMilliseconds) {
            pending.push_back(created);
        }
    }
    created_ = pending;
    *showingSoon = !pending.empty();
    return nullptr;
}

// Between a dialog's creation and its showing, the visibility is looked at as
// often as the processor allows; otherwise the thread sleeps until the next
// creation (or the deadline, looked at every so often).
ShownWindow WindowEvents::WaitShown(const std::function<bool(HWND)>& fits, DWORD timeout) {
    const ULONGLONG deadline = GetTickCount64() + timeout;
    while (GetTickCount64() < deadline) {
        TakeEvents();
        bool showingSoon = false;
        if (const Created* shown = FirstShown(fits, &showingSoon)) {
            const ShownWindow found{shown->window, shown->at, NowMilliseconds()};
            created_.clear();
            return found;
        }
        if (showingSoon)
            Sleep(0);
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kDeadlineLookMilliseconds, QS_ALLINPUT);
    }
    throw RigFailure("the awaited window did not show");
}
