// A bad input run through the real launcher. Rows name the scenario's paths by
// their places ("<target>", "<demo>", ...); what the run showed and left is
// compared with the row and added to the printed table with the places put
// back, so a reader sees the same names as the rows.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bad_input_table.h"
#include "launcher_scenario.h"
#include "launcher_texts.h"

// A file or directory as the snapshot saw it.
struct WatchedEntry {
    bool directory = false;
    std::string bytes;
    bool operator==(const WatchedEntry& other) const { return directory == other.directory && bytes == other.bytes; }
};

class BadInputScenario : public LauncherScenario {
protected:
    void SetUp() override;
    void TearDown() override;

    // The places replaced by the paths they stand for: "<target>" (the scratch
    // parent for new directories, made before the start), "<demo>" (the
    // launcher's current directory), "<temp>" (two levels above it) and
    // "<nodrive>" (a drive letter that names no drive).
    std::string Expand(const std::string& text) const;
    // A row may name one more path of its own, such as "<typed>".
    using OwnPlace = std::pair<std::string, std::string>;
    std::vector<std::string> Expand(const std::vector<std::string>& texts, const OwnPlace& own = {}) const;
    // The other way round, with long runs of a letter shortened, for the table.
    std::string Placed(const std::string& text) const;
    std::string Target() const { return ScratchPath("target"); }
    // A small file the launcher must leave alone.
    static void PlantFile(const std::string& path);

    // The record's value as it stands before the launcher starts.
    void SetRecord(const char* name, DWORD type, const std::string& bytes);
    // What the files and the record are like now; MeasureWhatWasLeft() compares with it.
    void NoteTheStartingState();
    // What changed since, also put into the row: new entries ("<path>", or
    // "<path>\" for a directory), "gone: <path>", "changed: <path>", then how
    // the record stands.
    std::vector<std::string> MeasureWhatWasLeft();
    // Names in the row a file that the launcher had to leave alone; the
    // measure above tells whether it did.
    void NoteKept(const std::string& path);

    // Checks the box is one of the launcher's, answers Yes to a question and
    // OK to anything else, and waits for it to go. Its text is noted.
    SeenMessageBox Answer(const ShownMessage& box);
    // Notes a line of what the player saw that is no message box.
    void Note(const std::string& line);
    // Uninstall, as the player does it: the button, the question, Yes, then
    // OK to the `reports` that follow it.
    void Uninstall(const Launcher& launcher, std::size_t reports = 0);
    std::string InstallButtonLabel(const Launcher& launcher) const;

    // The texts of the boxes answered so far.
    const std::vector<std::string>& AnsweredTexts() const { return answered_; }
    BadInputRow row_;  // the table's row; the scenario fills case and input

private:
    std::map<std::string, WatchedEntry> SnapshotFiles() const;
    std::string RecordState() const;
    std::optional<std::string> RecordValue() const;

    std::vector<std::pair<std::string, std::string>> places_;  // longest path first
    std::map<std::string, WatchedEntry> before_;
    const char* recordName_ = nullptr;
    std::optional<std::string> recordBefore_;
    std::vector<std::string> answered_;
    bool measured_ = false;
};
