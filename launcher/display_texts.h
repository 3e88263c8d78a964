// How the launcher's own texts reach the screen: the caption, the messages,
// the buttons' labels, the size line and the dialogs' templates. The texts are
// written in code page 932 (Shift-JIS).
//
// Where the system's ANSI code page is 932, and on the Windows 95 family, they
// go to the ANSI calls as they are. On the NT family with another code page
// they are converted from 932 and go to the wide calls, so that they read as
// written on a Windows of any language. Only what the player reads changes:
// paths, the edit control's text, the registry and the files stay ANSI.
#pragma once

#include <windows.h>

// True when the texts must take the wide calls: on the NT family (GetVersion's
// high bit clear), with an ANSI code page other than 932, where code page 932
// can be converted.
bool NeedsWideTexts(DWORD version, UINT systemCodePage, bool converts932);

// Chooses, once at start-up, between the ANSI and the wide calls. The wide
// calls are looked up then; any one missing keeps the ANSI calls. With them
// comes the font of the dialogs' controls.
void ChooseTextDisplay();
// Back to the ANSI calls, the font released.
void ReleaseTextDisplay();

// Fills AppCaption from the string table (with the wide calls through
// LoadStringW, converted to 932). False when the table lacks it.
bool LoadCaption();

// Runs one of AppInstance's dialog templates modally.
INT_PTR RunDialog(const char* templateName, HWND owner, DLGPROC procedure);
// With the wide calls, gives the dialog's controls but its edit control a font
// that has Japanese glyphs, of the system font's height; their places and
// sizes stay.
void UseDialogFont(HWND dialog);
// The window's caption becomes AppCaption.
void ShowCaption(HWND window);
// A control's text becomes one of the launcher's texts.
void ShowControlText(HWND dialog, int controlId, const char* text);

// Message-box styles of the launcher's own messages.
constexpr UINT kReportStyle = MB_OK | MB_ICONINFORMATION;            // 0x40
constexpr UINT kQuestionStyle = MB_YESNO | MB_ICONQUESTION;          // 0x24
constexpr UINT kStopQuestionStyle = kQuestionStyle | MB_DEFBUTTON2;  // 0x124

// Shows one of the launcher's messages, owned by `owner`, captioned AppCaption.
int ShowMessage(HWND owner, const char* text, UINT style);
// The same for a message that names a path of the system's code page between
// two of the launcher's texts.
int ShowPathMessage(HWND owner, const char* before, const char* path, const char* after, UINT style);
