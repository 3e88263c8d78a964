#include "launcher_flows.h"

#include "launcher_texts.h"
#include "message_boxes.h"
#include "resource_ids.h"
#include "waiting.h"

namespace {

ShownMessage ExpectSaying(const ShownMessage& box, const std::string& text) {
    if (box.Seen().text != text) throw RigFailure("unexpected message: " + box.Seen().text);
    return box;
}

void WaitForInstallLabel(const AppWindow& main, const char* label) {
    if (!WaitUntil([&] { return main.ControlText(IDC_INSTALL) == label; }))
        throw RigFailure(std::string("the second button never read ") + label);
}

}  // namespace

bool IsBoxSaying(HWND window, const std::string& text) {
    return IsMessageBox(window) && ReadMessageBox(window).text == text;
}

void PressAndWaitGone(const ShownMessage& box, int button) {
    box.Press(button);
    if (!WaitUntil([&] { return !IsWindow(box.Handle()); })) throw RigFailure("a message box stayed open");
}

ShownMessage AskToInstallInto(const Launcher& launcher, const std::string& directory) {
    launcher.Main().Click(IDC_INSTALL);
    const AppWindow selection = launcher.WaitDialog(IDC_START_INSTALL);
    selection.Type(IDC_INSTALL_DIR_EDIT, directory);
    selection.Click(IDC_START_INSTALL);
    return ExpectSaying(launcher.WaitMessage(selection), installer_texts::Question(directory));
}

void AcknowledgeInstallation(const Launcher& launcher, const ShownMessage& finished) {
    ExpectSaying(finished, installer_texts::kCopyFinished);
    PressAndWaitGone(finished, IDOK);
    WaitForInstallLabel(launcher.Main(), kUninstallLabel);
}

void Install(const Launcher& launcher, const std::string& directory) {
    PressAndWaitGone(AskToInstallInto(launcher, directory), IDYES);
    AcknowledgeInstallation(launcher, launcher.WaitAnyMessage());
}

void Uninstall(const Launcher& launcher) {
    const AppWindow main = launcher.Main();
    main.Click(IDC_INSTALL);
    PressAndWaitGone(ExpectSaying(launcher.WaitMessage(main), installer_texts::kUninstallQuestion), IDYES);
    WaitForInstallLabel(main, kInstallLabel);
}

void Exit(const Launcher& launcher) {
    launcher.Main().Click(IDC_EXIT);
    launcher.WaitForExit();
}
