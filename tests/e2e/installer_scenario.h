// A scenario of the installer as a player goes through it: Install, a
// directory typed into the selection, the question, the copy with its bar,
// the stop button, Uninstall. The demo folder must be found byte for byte as
// it was when the scenario noted it, and the small drives empty.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bad_input_scenario.h"
#include "folder_manifest.h"
#include "installer_scene.h"
#include "scratch_drives.h"

// A file opened by the rig without sharing, as another program may hold it.
class HeldFile {
public:
    explicit HeldFile(const std::string& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

private:
    HANDLE file_;
};

class InstallerScenario : public LauncherScenario {
protected:
    void TearDown() override;

    // Files added to the demo folder before the launcher starts.
    void AddSourceFile(const std::string& name, const std::string& bytes,
                       DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
    // A file of `size` bytes that costs no disk in the demo folder.
    void AddSparseSourceFile(const std::string& name, std::uint64_t size) const;
    // The demo folder as the scenario must leave it.
    void NoteSourceFolder();
    void ExpectSourceUnchanged() const;

    // False when the drive is not mapped; the scenario then skips. The drive
    // is emptied when the scenario ends.
    bool UseDrive(const ScratchDrive& drive);

    // Install pressed: the selection dialog.
    AppWindow OpenSelection(const Launcher& launcher) const;
    // The directory typed, start pressed: the box that answers.
    ShownMessage PressStart(const Launcher& launcher, const AppWindow& selection, const std::string& directory) const;
    // Start pressed on the directory shown: the box that answers.
    ShownMessage PressStart(const Launcher& launcher, const AppWindow& selection) const;
    // The question checked and answered Yes: the copy dialog.
    AppWindow ConfirmInstall(const Launcher& launcher, const ShownMessage& question,
                             const std::string& directory) const;
    // Install, the directory, start, Yes: the copy dialog while it copies.
    AppWindow StartCopy(const Launcher& launcher, const std::string& directory) const;
    // The box that ends the copy.
    ShownMessage WaitForCopyEnd(const Launcher& launcher, const AppWindow& copy) const;
    // A whole install, its end acknowledged; the button then offers uninstall.
    void InstallInto(const Launcher& launcher, const std::string& directory) const;
    // The stop button clicked with the mouse: the question, checked.
    ShownMessage ClickStop(const Launcher& launcher, const AppWindow& copy) const;
    // Uninstall, its question checked and answered; with Yes the `report`, if
    // any, checked and acknowledged, then the button offers install (uninstall
    // after the record's report), no other box in between. The question's text.
    std::string Uninstall(const Launcher& launcher, int answer = IDYES, const std::string& report = "") const;

    static std::string SecondButton(const Launcher& launcher);
    // Waits until the second button reads `label`; throws RigFailure if it never does.
    static void WaitForSecondButton(const Launcher& launcher, const char* label);

    // The record holds `directory` as REG_SZ, its length + 1 bytes.
    static void ExpectRecordOf(const std::string& directory);
    static void ExpectNoRecord();

private:
    std::vector<ScratchDrive> drives_;
    FolderManifest source_;
    bool sourceNoted_ = false;
};

// A report of the launcher: its caption, OK alone, the information icon.
void ExpectReport(const ShownMessage& box, const std::string& text);
// A question of the launcher: its caption, Yes and No, the question icon.
void ExpectQuestion(const ShownMessage& box, const std::string& text, int defaultButton);

// The green bar as the screen shows it inside the progress frame.
struct ShownBar {
    int frameWidth = 0;
    int width = 0;             // green columns from the frame's second column on
    bool insideFrame = false;  // green fills one rectangle one pixel inside the frame, frame colour elsewhere
};
ShownBar ReadProgressBar(const AppWindow& copy);

// Moves a dialog to the screen's corner, out of the way of the boxes that
// open in the middle of the screen: what it draws afterwards stays in view.
void MoveToCorner(const AppWindow& dialog);

// Bytes in the plain files directly inside `directory`; 0 when it is missing.
std::uint64_t BytesInside(const std::string& directory);
