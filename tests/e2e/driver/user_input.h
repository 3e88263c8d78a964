// A user's actions on another process's windows, through the window system.
#pragma once

#include <windows.h>

#include <string>

// BM_CLICK, posted: the button presses itself and tells its dialog, as for a
// click. Posted, so that a modal box opened by the click can't block the rig.
void PostClick(HWND button);
// The pointer moves to the window's centre and the left button goes down and
// up there: real input, which the window's thread takes only when no posted
// message waits.
void ClickWithMouse(HWND window);
// WM_SETTEXT, as typing the whole text would leave it.
void ReplaceText(HWND control, const std::string& text);
// A key pressed and released on the focused control of the window's thread
// (the window itself when nothing has the focus), through the dialog's loop.
void PressKey(HWND window, WORD virtualKey);
// The window that has the keyboard focus in the thread of `window`.
HWND FocusOfThread(HWND window);
// The system menu's close command (also the caption's close box and Alt+F4).
void SendCloseCommand(HWND window);
