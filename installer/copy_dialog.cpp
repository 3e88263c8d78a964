// The copy dialog: copies the plain files of the current directory into the
// new directory, one block per step, with a green bar and a stop button, and
// records the installation once every file is there.
//
// The steps are chained through the thread's queue: each step posts the next
// to the dialog itself, and lets exactly one waiting message through just
// before that. The stop button's click arrives through that one message, so
// its handling runs nested inside a step and may end the dialog; nothing
// after the pump touches the copy's state, and no step runs once the copy
// has ended. The end of the Windows session arrives the same way.
#include "copy_block.h"
#include "copy_state.h"
#include "dialog_procs.h"
#include "display_texts.h"
#include "install_record.h"
#include "locked_memory.h"
#include "placement.h"
#include "resource_ids.h"
#include "shared_state.h"
#include "source_files.h"
#include "text_join.h"
#include "uninstall.h"

namespace {

const char kNoFiles[] = "インストールするべきファイルが見つかりません。";
const char kNoMemory[] = "メモリが足りません。";
const char kCopyFailed[] = "インストールに失敗しました。";
const char kCopyFinished[] = "インストールが終了しました。";
const char kNotRecorded[] = "インストールの記録に失敗しました。";
const char kStopQuestion[] = "インストールを中断しますか？";

// The dialog whose copy is running, from its start until it has ended or is
// recorded; none otherwise. Its new directory is no installation yet.
HWND RunningCopyDialog;
// Set when the session's end took the copy away: the process ends after that,
// and the flow must not act on the directory again.
bool TakenAwayAtSessionEnd;

// False when the close failed: a network redirector may report a write that
// failed only there.
bool CloseFile(HFILE* file) {
    if (*file == 0) return true;
    const bool closed = _lclose(*file) != HFILE_ERROR;
    *file = 0;
    return closed;
}

void CloseCopySearch() {
    if (CopySearch.handle == nullptr) return;
    FindClose(CopySearch.handle);
    CopySearch.handle = nullptr;
}

void ReleaseCopyState() {
    FreeLockedMemory(&CopyBuffer);
    CloseFile(&SourceFile);
    CloseFile(&TargetFile);
    CloseCopySearch();
}

// Shows the ending's message while the dialog is still there, then releases
// everything and ends the dialog, unless the session ended while the message
// or the stop question was open.
void EndCopy(HWND dialog, const char* message, INT_PTR result) {
    if (message != nullptr) ShowMessage(dialog, message, kReportStyle);
    if (TakenAwayAtSessionEnd) return;
    ReleaseCopyState();
    RunningCopyDialog = nullptr;
    EndDialog(dialog, result);
}

// Moves the search on to the next eligible entry, the current one included.
ListingStep SkipToEligibleEntry() {
    while (!IsEligibleEntry(CopySearch.entry)) {
        const ListingStep step = NextSourceEntry(CopySearch.handle, &CopySearch.entry);
        if (step != ListingStep::kEntry) return step;
    }
    return ListingStep::kEntry;
}

// Moves the search on to the eligible entry after the current one.
ListingStep NextEligibleEntry() {
    const ListingStep step = NextSourceEntry(CopySearch.handle, &CopySearch.entry);
    return step == ListingStep::kEntry ? SkipToEligibleEntry() : step;
}

// The first eligible entry, or why there is none.
ListingStep StartCopySearch() {
    const ListingStep start = StartSourceListing(&CopySearch.handle, &CopySearch.entry);
    return start == ListingStep::kEntry ? SkipToEligibleEntry() : start;
}

bool HoldCopyBuffer() {
    CopyBuffer = AllocateLockedMemory(kCopyBlockBytes);
    return CopyBuffer != nullptr;
}

// The files are opened as OpenFile opens them (read: shared for reading and
// writing; create: read and write, an existing file cut to length 0), but
// without OpenFile's 128-byte limit on the name, which would refuse files in
// a directory that the selection accepted.
HFILE AsFileHandle(HANDLE file) {
    return file == INVALID_HANDLE_VALUE ? HFILE_ERROR : static_cast<HFILE>(reinterpret_cast<INT_PTR>(file));
}

HFILE OpenSourceFile(const char* name) {
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return AsFileHandle(file);
}

HFILE CreateTargetFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return AsFileHandle(file);
}

// The one waiting message goes through before the next step is posted: that
// is how the window repaints and the stop button answers during the copy.
void PumpOneMessageThenPostStep(HWND dialog, UINT step) {
    PumpOneMessage();
    PostMessageA(dialog, step, 0, 0);
}

void OnInitDialog(HWND dialog) {
    PlaceInstallDialog(dialog);
    UseDialogFont(dialog);
    RunningCopyDialog = dialog;
    TakenAwayAtSessionEnd = false;
    const ListingStep first = StartCopySearch();
    if (first != ListingStep::kEntry) {
        EndCopy(dialog, first == ListingStep::kEnd ? kNoFiles : kCopyFailed, 0);
        return;
    }
    if (!HoldCopyBuffer()) {
        EndCopy(dialog, kNoMemory, 0);
        return;
    }
    CopiedBytes = 0;
    PumpOneMessageThenPostStep(dialog, WM_INSTALL_OPENFILE);
}

void OnOpenFile(HWND dialog) {
    SourceFile = OpenSourceFile(CopySearch.entry.cFileName);
    if (SourceFile == HFILE_ERROR) {
        SourceFile = 0;
        EndCopy(dialog, kCopyFailed, 0);
        return;
    }
    // A destination whose path does not fit is one that can't be created.
    char target[kPathCapacity];
    const bool fits = JoinText(target, sizeof target, {InstalledDir, "\\", CopySearch.entry.cFileName});
    TargetFile = fits ? CreateTargetFile(target) : HFILE_ERROR;
    if (TargetFile == HFILE_ERROR) {
        TargetFile = 0;
        EndCopy(dialog, kCopyFailed, 0);
        return;
    }
    PumpOneMessageThenPostStep(dialog, WM_INSTALL_COPYBLOCK);
}

// The installation is recorded before the copy says that it is finished: a
// copy that can't be recorded is not an installation, and the flow takes it
// away as it takes away a failed one.
void FinishCopy(HWND dialog) {
    if (!WriteInstallRecord()) {
        EndCopy(dialog, kNotRecorded, 0);
        return;
    }
    RunningCopyDialog = nullptr;
    EndCopy(dialog, kCopyFinished, 1);
}

// A listing that breaks before its end fails the copy: what it has not
// listed yet would be missing from the installation. So does a target whose
// close fails, where a redirector reports a late write's failure; the
// source's close loses nothing, as the file was only read.
void OnFileDone(HWND dialog) {
    CloseFile(&SourceFile);
    if (!CloseFile(&TargetFile)) {
        EndCopy(dialog, kCopyFailed, 0);
        return;
    }
    switch (NextEligibleEntry()) {
    case ListingStep::kEntry: PumpOneMessageThenPostStep(dialog, WM_INSTALL_OPENFILE); return;
    case ListingStep::kEnd: FinishCopy(dialog); return;
    case ListingStep::kBroken: EndCopy(dialog, kCopyFailed, 0); return;
    }
}

static_assert(UINT(HFILE_ERROR) == kTransferFailed, "a failed _lread or _lwrite");

UINT ReadSourceFile(BYTE* buffer, UINT bytes) { return _lread(SourceFile, buffer, bytes); }

UINT WriteTargetFile(const BYTE* buffer, UINT bytes) {
    return _lwrite(TargetFile, reinterpret_cast<LPCCH>(buffer), bytes);
}

void OnCopyBlock(HWND dialog) {
    const BlockOutcome outcome = CopyOneBlock(CopyBuffer, ReadSourceFile, WriteTargetFile, &CopiedBytes);
    if (outcome == BlockOutcome::kFailed) {
        EndCopy(dialog, kCopyFailed, 0);
        return;
    }
    if (outcome == BlockOutcome::kFileDone) {
        OnFileDone(dialog);
        return;
    }
    DrawCopyProgress(dialog);
    PumpOneMessageThenPostStep(dialog, WM_INSTALL_COPYBLOCK);
}

void OnStop(HWND dialog) {
    if (ShowMessage(dialog, kStopQuestion, kStopQuestionStyle) != IDYES) return;
    EndCopy(dialog, nullptr, 0);
}

// Windows ends the process once every window has returned from this, so an
// unrecorded copy is taken away now, as a stopped one is. The dialog is not
// ended: the flow would take the directory away a second time. Asked before,
// the dialog manager answers that the session may end.
void OnSessionEnd(HWND dialog) {
    if (dialog != RunningCopyDialog) return;
    ReleaseCopyState();
    RunningCopyDialog = nullptr;
    TakenAwayAtSessionEnd = true;
    RemoveInstallDirectory();
}

}  // namespace

extern "C" INT_PTR CALLBACK DlgInstallProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return 1;
    case WM_INSTALL_OPENFILE:
        if (dialog == RunningCopyDialog) OnOpenFile(dialog);
        return 1;
    case WM_INSTALL_COPYBLOCK:
        if (dialog == RunningCopyDialog) OnCopyBlock(dialog);
        return 1;
    case WM_COMMAND:
        if (wParam != IDC_STOP) return 0;
        OnStop(dialog);
        return 1;
    case WM_ENDSESSION:
        if (wParam) OnSessionEnd(dialog);
        return 0;
    }
    return 0;
}
