#include "bad_input_scenario.h"

#include <fstream>

#include "launcher_texts.h"
#include "registry_fixture.h"
#include "resource_ids.h"
#include "temp_directory.h"
#include "waiting.h"

namespace {

constexpr const char* kRecordValue = "InstallDir";

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string FullPathOf(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length == 0 || length >= sizeof full ? path : full;
}

// The first letter from Q on that names no drive.
// A deep folder is listed with all it holds; of a shallow one only its own
// entries are, so that a stray directory next to the scenario's would show.
void AddEntries(const std::string& folder, bool deep, std::map<std::string, WatchedEntry>& entries) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        const bool directory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries[path] = WatchedEntry{directory, directory ? "" : ReadWholeFile(path)};
        if (directory && deep) AddEntries(path, true, entries);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

std::string Shown(const std::string& path, const WatchedEntry& entry) { return entry.directory ? path + "\\" : path; }

// The engine's failure messages are plain boxes; every other message of the
// launcher carries an icon. Which icon can't be told from here: icon handles
// belong to the launcher's process.
void ExpectOneOfTheLaunchersBoxes(const SeenMessageBox& seen) {
    EXPECT_EQ(seen.caption, kCaption);
    EXPECT_EQ(seen.hasIcon, !EndsWith(seen.text, kMissingSuffix)) << Utf8Of(seen.text);
    if (seen.hasYes)
        EXPECT_TRUE(seen.hasNo && !seen.hasOk && seen.defaultButton == IDYES) << "Yes and No, Yes the default";
    else
        EXPECT_TRUE(seen.hasOk && !seen.hasNo) << "OK alone";
}

}  // namespace

void BadInputScenario::SetUp() {
    LauncherScenario::SetUp();
    if (HasFatalFailure()) return;
    CreateDirectoryA(Target().c_str(), nullptr);
    places_ = {{"<demo>", DemoFolder()},
               {"<target>", Target()},
               {"<temp>", FullPathOf(DemoFile("..\\.."))},
               {"<nodrive>", UnmappedDrive()}};
}

void BadInputScenario::TearDown() {
    if (!measured_) MeasureWhatWasLeft();
    AddBadInputRow(row_);
    LauncherScenario::TearDown();
}

std::string BadInputScenario::Expand(const std::string& text) const {
    std::string expanded = text;
    for (const auto& [place, path] : places_) ReplaceAll(expanded, place, path);
    return expanded;
}

std::vector<std::string> BadInputScenario::Expand(const std::vector<std::string>& texts, const OwnPlace& own) const {
    std::vector<std::string> expanded;
    for (const std::string& text : texts) {
        expanded.push_back(Expand(text));
        if (!own.first.empty()) ReplaceAll(expanded.back(), own.first, own.second);
    }
    return expanded;
}

std::string BadInputScenario::Placed(const std::string& text) const {
    std::string placed = text;
    for (const auto& [place, path] : places_) ReplaceAll(placed, path, place);
    return ShortenRuns(placed);
}

void BadInputScenario::PlantFile(const std::string& path) {
    std::ofstream(path, std::ios::binary) << "planted before the launcher started\r\n";
}

void BadInputScenario::SetRecord(const char* name, DWORD type, const std::string& bytes) {
    record_key::SetValue(name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    recordName_ = name;
}

void BadInputScenario::NoteTheStartingState() {
    before_ = SnapshotFiles();
    recordBefore_ = RecordValue();
}

std::map<std::string, WatchedEntry> BadInputScenario::SnapshotFiles() const {
    std::map<std::string, WatchedEntry> entries;
    AddEntries(DemoFolder(), true, entries);
    AddEntries(Target(), true, entries);
    AddEntries(Expand("<temp>"), false, entries);
    AddEntries("C:", false, entries);
    return entries;
}

std::vector<std::string> BadInputScenario::MeasureWhatWasLeft() {
    measured_ = true;
    const std::map<std::string, WatchedEntry> after = SnapshotFiles();
    std::vector<std::string> changes;
    for (const auto& [path, entry] : after) {
        const auto earlier = before_.find(path);
        if (earlier == before_.end())
            changes.push_back(Shown(path, entry));
        else if (!(earlier->second == entry))
            changes.push_back("changed: " + path);
    }
    for (const auto& [path, entry] : before_)
        if (after.count(path) == 0) changes.push_back("gone: " + Shown(path, entry));
    const std::string record = RecordState();
    if (!record.empty()) changes.push_back(record);
    for (const std::string& change : changes) row_.left.push_back(Placed(change));
    return changes;
}

void BadInputScenario::NoteKept(const std::string& path) {
    EXPECT_TRUE(PathExists(path)) << path;
    row_.left.push_back(Placed("kept: " + path));
}

// Rows that set the record tell whether the launcher kept or deleted it; the
// others name a record only when one is left.
std::string BadInputScenario::RecordState() const {
    const std::optional<std::string> now = RecordValue();
    if (recordName_ == nullptr) return now ? "record: " + *now : "";
    if (!now) return "record deleted";
    return now == recordBefore_ ? "record unchanged" : "record changed: " + *now;
}

std::optional<std::string> BadInputScenario::RecordValue() const {
    DWORD type = 0;
    std::string data;
    if (!record_key::GetValue(recordName_ != nullptr ? recordName_ : kRecordValue, &type, &data)) return std::nullopt;
    ReplaceAll(data, std::string(1, '\0'), "\\0");
    return "type " + std::to_string(type) + ", \"" + data + "\"";
}

SeenMessageBox BadInputScenario::Answer(const ShownMessage& box) {
    const SeenMessageBox seen = box.Seen();
    ExpectOneOfTheLaunchersBoxes(seen);
    box.Press(seen.hasYes ? IDYES : IDOK);
    if (!WaitUntil([&] { return !IsWindow(box.Handle()); })) throw RigFailure("a message box stayed after its answer");
    answered_.push_back(seen.text);
    Note(seen.text + (seen.hasYes ? " [Yes]" : " [OK]"));
    return seen;
}

void BadInputScenario::Note(const std::string& line) { row_.shown.push_back(Placed(line)); }

void BadInputScenario::Uninstall(const Launcher& launcher, std::size_t reports) {
    const AppWindow main = launcher.Main();
    main.Click(IDC_INSTALL);
    for (std::size_t box = 0; box <= reports; ++box) Answer(launcher.WaitMessage(main));
    if (!WaitUntil([&] { return InstallButtonLabel(launcher) == kInstallLabel; }))
        throw RigFailure("the button still offers uninstall");
}

std::string BadInputScenario::InstallButtonLabel(const Launcher& launcher) const {
    return launcher.Main().ControlText(IDC_INSTALL);
}
