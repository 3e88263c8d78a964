#include "install_flow.h"

#include "dialog_procs.h"
#include "display_texts.h"
#include "install_record.h"
#include "shared_state.h"
#include "uninstall.h"

namespace {

const char kDialogFailed[] = "ダイアログＢＯＸの作成に失敗ました。";

INT_PTR RunInstallDialog(HWND owner, const char* name, DLGPROC procedure) {
    const INT_PTR result = RunDialog(name, owner, procedure);
    if (result == -1) ShowMessage(owner, kDialogFailed, kReportStyle);
    return result;
}

}  // namespace

int RunInstall(HWND owner) {
    if (RunInstallDialog(owner, "DLG_SELECT", DlgSelectProc) != 1) return 0;
    const INT_PTR copied = RunInstallDialog(owner, "DLG_INST", DlgInstallProc);
    if (copied == 1) {
        WriteInstallRecord();
        return 1;
    }
    // When the copy dialog could not be created, the new directory stays, empty.
    if (copied == 0) RemoveInstallDirectory();
    return 0;
}
