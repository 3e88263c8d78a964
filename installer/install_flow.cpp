#include "install_flow.h"

#include "dialog_procs.h"
#include "display_texts.h"
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

// The copy dialog ends with 1 once every file is copied and the installation
// recorded; it has said so before it ends. Anything else leaves no
// installation, and a new directory that can't be taken away is named.
int RunInstall(HWND owner) {
    if (RunInstallDialog(owner, "DLG_SELECT", DlgSelectProc) != 1) return 0;
    const INT_PTR installed = RunInstallDialog(owner, "DLG_INST", DlgInstallProc);
    if (installed == 1) return 1;
    // When the copy dialog could not be created, the new directory stays, empty.
    if (installed == 0 && !RemoveInstallDirectory()) ReportDirectoryLeft(owner);
    return 0;
}
