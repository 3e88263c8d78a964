#include "display_texts.h"

#include "resource_ids.h"
#include "shared_state.h"
#include "system_functions.h"
#include "text_join.h"
#include "wide_calls.h"

namespace {

constexpr UINT kTextCodePage = 932;
// Room for the longest message: two texts around a path of 259 bytes.
constexpr int kMessageCapacity = 512;

bool UsesWideCalls;
WideCalls Wide;
HFONT DialogFont;  // nullptr when it could not be made: the controls keep the system font

// A text converted for the wide calls.
struct WideText {
    WCHAR chars[kMessageCapacity];
    int length;
};

// Appends `text` of `codePage`; a text that does not fit whole is left out.
void Append(WideText* wide, UINT codePage, const char* text) {
    const int written = Wide.multiByteToWideChar(codePage, 0, text, -1, wide->chars + wide->length,
                                                 kMessageCapacity - wide->length);
    if (written > 0) wide->length += written - 1;
    wide->chars[wide->length] = L'\0';
}

WideText Widened(const char* shiftJis) {
    WideText wide;
    wide.length = 0;
    Append(&wide, kTextCodePage, shiftJis);
    return wide;
}

// Any face the system has for Japanese, as tall as the system font that sets
// the dialog units, so the texts fill their controls as on Japanese Windows.
HFONT MakeDialogFont() {
    LOGFONTW system;
    if (Wide.getObject(Wide.getStockObject(SYSTEM_FONT), sizeof system, &system) == 0) return nullptr;
    LOGFONTW japanese = {};
    japanese.lfHeight = system.lfHeight;
    japanese.lfCharSet = SHIFTJIS_CHARSET;
    return Wide.createFontIndirect(&japanese);
}

// An edit control (one whose text the dialog manager selects) keeps the
// system font: it shows the player's own path in the system's code page,
// whose backslash a Japanese font would draw as a yen sign.
BOOL CALLBACK SetControlFont(HWND control, LPARAM font) {
    const bool isEdit = (Wide.sendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0;
    if (!isEdit) Wide.sendMessage(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

// The whole characters that fit the buffer, as LoadStringA keeps them.
void StoreShiftJis(const WCHAR* wide, int length, char* text, int capacity) {
    int bytes = 0;
    for (int count = length; count > 0 && bytes == 0; --count)
        bytes = Wide.wideCharToMultiByte(kTextCodePage, 0, wide, count, text, capacity - 1, nullptr, nullptr);
    text[bytes] = '\0';
}

}  // namespace

bool NeedsWideTexts(DWORD version, UINT systemCodePage, bool converts932) {
    return IsNtFamily(version) && systemCodePage != kTextCodePage && converts932;
}

void ChooseTextDisplay() {
    ReleaseTextDisplay();
    WideCalls calls;
    if (!FindWideCalls(&calls)) return;
    if (!NeedsWideTexts(GetVersion(), calls.getACP(), calls.isValidCodePage(kTextCodePage) != 0)) return;
    Wide = calls;
    UsesWideCalls = true;
    DialogFont = MakeDialogFont();
}

void ReleaseTextDisplay() {
    if (DialogFont != nullptr) DeleteObject(DialogFont);
    DialogFont = nullptr;
    UsesWideCalls = false;
}

bool LoadCaption() {
    if (!UsesWideCalls) return LoadStringA(AppInstance, IDS_APP_CAPTION, AppCaption, kCaptionCapacity) != 0;
    WCHAR wide[kCaptionCapacity];
    const int length = Wide.loadString(AppInstance, IDS_APP_CAPTION, wide, kCaptionCapacity);
    StoreShiftJis(wide, length, AppCaption, kCaptionCapacity);
    return length != 0;
}

INT_PTR RunDialog(const char* templateName, HWND owner, DLGPROC procedure) {
    if (!UsesWideCalls) return DialogBoxParamA(AppInstance, templateName, owner, procedure, 0);
    return Wide.dialogBoxParam(AppInstance, Widened(templateName).chars, owner, procedure, 0);
}

void UseDialogFont(HWND dialog) {
    if (UsesWideCalls && DialogFont != nullptr)
        Wide.enumChildWindows(dialog, SetControlFont, reinterpret_cast<LPARAM>(DialogFont));
}

void ShowCaption(HWND window) {
    if (!UsesWideCalls) {
        SetWindowTextA(window, AppCaption);
        return;
    }
    Wide.setWindowText(window, Widened(AppCaption).chars);
}

void ShowControlText(HWND dialog, int controlId, const char* text) {
    if (!UsesWideCalls) {
        SetDlgItemTextA(dialog, controlId, text);
        return;
    }
    Wide.setDlgItemText(dialog, controlId, Widened(text).chars);
}

int ShowMessage(HWND owner, const char* text, UINT style) {
    if (!UsesWideCalls) return MessageBoxA(owner, text, AppCaption, style);
    return Wide.messageBox(owner, Widened(text).chars, Widened(AppCaption).chars, style);
}

int ShowPathMessage(HWND owner, const char* before, const char* path, const char* after, UINT style) {
    if (!UsesWideCalls) {
        char message[kMessageCapacity];
        JoinText(message, sizeof message, {before, path, after});
        return MessageBoxA(owner, message, AppCaption, style);
    }
    WideText message = Widened(before);
    Append(&message, CP_ACP, path);
    Append(&message, kTextCodePage, after);
    return Wide.messageBox(owner, message.chars, Widened(AppCaption).chars, style);
}
