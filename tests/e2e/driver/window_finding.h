// Finding the launcher's windows from outside, as the window system lists them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// What a wanted top-level window looks like; unset fields match anything.
struct WindowQuery {
    DWORD processId = 0;
    bool orItsChildren = false;         // processes that processId started fit too
    std::string className = "#32770";  // the dialog class: dialogs and message boxes
    std::optional<HWND> owner;          // GW_OWNER; nullptr asks for an unowned window
    int controlId = 0;                  // a child with this id must be there
    bool messageBox = false;            // only message boxes; false leaves them out
};

// The first visible window that fits, or nullptr.
// The process that made `window`.
DWORD ProcessOf(HWND window);

HWND FindWindowFitting(const WindowQuery& query);
// Waits for such a window; throws RigFailure, naming `what`, when none comes.
HWND WaitForWindow(const WindowQuery& query, const std::string& what);

// A window's text, read through the window system with the wide calls (also
// for other processes' controls), and as code page 932, in which the
// launcher's texts are written.
std::wstring WideTextOf(HWND window);
std::string TextOf(HWND window);
RECT OuterRect(HWND window);
// The client area in screen coordinates.
RECT ClientRectOnScreen(HWND window);
// A child's outer rectangle in its parent's client coordinates.
RECT RectInParentClient(HWND child);
