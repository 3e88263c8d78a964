// Runs the launcher's start-up under the Windows version that Wine reports for
// this program, closes the main window if one opens, and writes what a user
// saw to the file named by its one argument: the main window's caption as
// read back through the wide calls (in code page 932), if it opened, the
// outcome, then one line per message box.
#include <windows.h>

#include <fstream>
#include <string>

#include "dialog_script.h"
#include "message_boxes.h"
#include "resource_ids.h"
#include "startup.h"
#include "wide_text.h"

namespace {

std::string DescribeBox(const SeenMessageBox& box) {
    std::string line = box.text + " / " + box.caption;
    if (box.hasOk) line += " [OK]";
    if (box.hasYes) line += " [Yes]";
    if (box.hasNo) line += " [No]";
    if (box.icon == LoadIcon(nullptr, IDI_INFORMATION)) line += " [information]";
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    MessageBoxAnswerer answerer;
    std::string caption;
    DialogScript closeMainWindow;
    closeMainWindow.Do([&](HWND window) { caption = "caption " + AsShiftJis(WideWindowText(window)) + "\n"; });
    closeMainWindow.Click(IDC_EXIT);
    const INT_PTR outcome =
        closeMainWindow.RunAround([] { return static_cast<INT_PTR>(RunLauncher(GetModuleHandleA(nullptr))); });

    std::ofstream report(argv[1], std::ios::binary);
    report << caption << "outcome " << outcome << "\n";
    for (const SeenMessageBox& box : answerer.Seen()) report << DescribeBox(box) << "\n";
    return 0;
}
