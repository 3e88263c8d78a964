// Texts read back through the wide calls, as a player's Windows holds them,
// and their form in code page 932, in which the launcher's texts and the
// tests' literals are written. A text that the launcher showed through the
// ANSI calls on another code page reads back as the player saw it there.
#pragma once

#include <windows.h>

#include <string>

// Bytes of `codePage` as UTF-16.
std::wstring Widened(const std::string& bytes, UINT codePage);
// UTF-16 as code page 932; a character that 932 lacks becomes another.
std::string AsShiftJis(const std::wstring& text);
// The window's text through GetWindowTextW (its caption, or a control's text
// that the system keeps, also of another process).
std::wstring WideWindowText(HWND window);
