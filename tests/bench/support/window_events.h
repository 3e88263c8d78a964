// Dialog windows of other processes as they come up, seen through the window
// system's creation events instead of by polling: the watched program pays
// nothing for being watched until the wanted window is about to show.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "waiting.h"

// A window as the events saw it come up (moments from NowMilliseconds).
struct ShownWindow {
    HWND window;
    double createdAt;  // when its creation was told
    double shownAt;    // when it was first seen visible
};

class WindowEvents {
public:
    WindowEvents();
    ~WindowEvents();
    WindowEvents(const WindowEvents&) = delete;
    WindowEvents& operator=(const WindowEvents&) = delete;

    // Waits for a top-level dialog window created since the last call that is
    // visible and fits. Throws RigFailure when none comes within `timeout`.
    ShownWindow WaitShown(const std::function<bool(HWND)>& fits, DWORD timeout = kPatienceMilliseconds);

    // A window's creation as the events told it.
    struct Created {
        HWND window;
        double at;
    };

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD);
    void TakeEvents();
    const Created* FirstShown(const std::function<bool(HWND)>& fits, bool* showingSoon);

    HWINEVENTHOOK hook_;
    std::vector<Created> created_;
};
