#include "copy_state.h"

#include "copy_math.h"
#include "resource_ids.h"
#include "shared_state.h"

DirectorySearch CopySearch;
HFILE SourceFile;
HFILE TargetFile;
BYTE* CopyBuffer;
std::uint64_t CopiedBytes;

// No keyboard translation and no dialog keyboard handling: during the copy,
// Tab, Enter, Esc and the mnemonics do nothing.
void PumpOneMessage() {
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

namespace {

// The bar's frame is looked up once per dialog: under Wine, GetDlgItem asks
// the server for the dialog's children, which cost a tenth of every block.
HWND ProgressFrameOf(HWND dialog) {
    static HWND framesDialog = nullptr;
    static HWND frame = nullptr;
    if (dialog != framesDialog || GetParent(frame) != dialog) {
        frame = GetDlgItem(dialog, IDC_PROGRESS_FRAME);
        framesDialog = dialog;
    }
    return frame;
}

}  // namespace

// The bar is drawn one pixel inside the black frame and grows from the left.
// Without the frame there is nowhere to draw it.
void DrawCopyProgress(HWND dialog) {
    HWND frame = ProgressFrameOf(dialog);
    RECT client;
    if (!GetClientRect(frame, &client)) return;
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    HDC dc = GetDC(frame);
    HGDIOBJ previous = SelectObject(dc, green);
    const std::uint32_t width = ComputeProgressWidth(client.right, CopiedBytes, RequiredBytes);
    PatBlt(dc, 1, 1, static_cast<int>(width), client.bottom - 2, PATCOPY);
    SelectObject(dc, previous);
    ReleaseDC(frame, dc);
    DeleteObject(green);
}
