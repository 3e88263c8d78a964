// Odd install records, met by the real launcher: the record is set, the
// launcher starts, the player reads the second button and tries Play or
// Uninstall. A value that is not the record leaves the launcher not installed
// and the value untouched. Uninstall deletes the record whatever it names,
// but never empties a drive's root or a relative path, and a file named as
// the directory survives.
#include <gtest/gtest.h>

#include "bad_input_scenario.h"
#include "demo_folder.h"
#include "launcher_texts.h"
#include "resource_ids.h"

namespace {

using namespace installer_texts;
using Lines = std::vector<std::string>;

// What stands at the directory the record names before the launcher starts.
enum class Planted { kNothing, kEngine, kEmptyDirectory, kFile, kFileInside };
enum class Attempt { kPlay, kUninstall };

struct RecordCase {
    const char* name;
    const char* valueName;
    DWORD type;
    std::string directory;  // places in angle brackets
    size_t length;          // padded with 'D' to this many bytes; 0 leaves it as it is
    bool terminated;        // a zero byte follows the directory in the data
    Planted planted;
    bool installed;         // the second button offers uninstall
    Attempt attempt;
    Lines shown;            // "<data>" stands for the directory as set
    std::string engine;     // the engine Play starts; empty when Play shows a message
    Lines left;
    std::string witness = {};  // a file uninstall must leave alone; "<data>" allowed
};

constexpr const char* kWitnessName = "Q7R-WITNESS.TXT";

const RecordCase kRecordCases[] = {
    {"OtherLetterCase", "installdir", REG_SZ, "<target>\\Q7R", 0, true, Planted::kEngine, false, Attempt::kPlay,
     {}, "<demo>\\KVE.EXE", {"record unchanged"}},
    {"PrefixOfTheName", "Install", REG_SZ, "<target>\\Q7R", 0, true, Planted::kEngine, false, Attempt::kPlay,
     {}, "<demo>\\KVE.EXE", {"record unchanged"}},
    // A terminated string is the directory whatever the value's type.
    {"DwordType", "InstallDir", REG_DWORD, "<target>\\Q7R", 0, true, Planted::kEngine, true, Attempt::kPlay,
     {}, "<target>\\Q7R\\KVE.EXE", {"record unchanged"}},
    {"BinaryType", "InstallDir", REG_BINARY, "<target>\\Q7R", 0, true, Planted::kEngine, true, Attempt::kUninstall,
     {kUninstallQuestion}, "", {"gone: <target>\\Q7R\\", "gone: <target>\\Q7R\\KVE.EXE", "record deleted"}},
    // Shorter than the 260-byte buffer, data needs no terminator of its own.
    {"UnterminatedBinary", "InstallDir", REG_BINARY, "<target>\\Q7R", 0, false, Planted::kEngine, true,
     Attempt::kPlay, {}, "<target>\\Q7R\\KVE.EXE", {"record unchanged"}},
    {"EmptyData", "InstallDir", REG_SZ, "", 0, false, Planted::kNothing, false, Attempt::kPlay,
     {}, "<demo>\\KVE.EXE", {"record unchanged"}},
    {"TerminatorAlone", "InstallDir", REG_SZ, "", 0, true, Planted::kNothing, false, Attempt::kPlay,
     {}, "<demo>\\KVE.EXE", {"record unchanged"}},
    {"Directory259Bytes", "InstallDir", REG_SZ, "<target>\\", 259, true, Planted::kEmptyDirectory, true,
     Attempt::kUninstall, {kUninstallQuestion}, "", {"gone: <data>\\", "record deleted"}},
    {"Directory259BytesPlay", "InstallDir", REG_SZ, "<target>\\", 259, true, Planted::kNothing, true, Attempt::kPlay,
     {"<data>\\KVE.EXE" + std::string(kMissingSuffix)}, "", {"record unchanged"}},
    // 260 bytes and the terminator don't fit the 260-byte buffer.
    {"Directory260Bytes", "InstallDir", REG_SZ, "<target>\\", 260, true, Planted::kNothing, false, Attempt::kPlay,
     {}, "<demo>\\KVE.EXE", {"record unchanged"}},
    {"Unterminated260Bytes", "InstallDir", REG_SZ, "<target>\\", 260, false, Planted::kNothing, false,
     Attempt::kPlay, {}, "<demo>\\KVE.EXE", {"record unchanged"}},
    {"NamesAFile", "InstallDir", REG_SZ, "<target>\\file.txt", 0, true, Planted::kFile, true, Attempt::kUninstall,
     {kUninstallQuestion}, "", {"record deleted"}, "<data>"},
    {"NamesADrivesRoot", "InstallDir", REG_SZ, "C:\\", 0, true, Planted::kFileInside, true, Attempt::kUninstall,
     {kUninstallQuestion, DirectoryLeft("<data>")}, "", {"record deleted"}, "<data>" + std::string(kWitnessName)},
    // Relative: the current directory, which is the demo folder.
    {"NamesABareDrive", "InstallDir", REG_SZ, "C:", 0, true, Planted::kNothing, true, Attempt::kUninstall,
     {kUninstallQuestion, DirectoryLeft("<data>")}, "", {"record deleted"}, "<demo>\\GRAPHIC.PAK"},
    {"NamesTheCurrentDirectory", "InstallDir", REG_SZ, ".", 0, true, Planted::kNothing, true, Attempt::kUninstall,
     {kUninstallQuestion, DirectoryLeft("<data>")}, "", {"record deleted"}, "<demo>\\GRAPHIC.PAK"},
    {"NamesAShareRoot", "InstallDir", REG_SZ, "\\\\server\\share", 0, true, Planted::kNothing, true,
     Attempt::kUninstall, {kUninstallQuestion}, "", {"record deleted"}},
    {"DirectoryGonePlay", "InstallDir", REG_SZ, "<target>\\gone", 0, true, Planted::kNothing, true, Attempt::kPlay,
     {"<target>\\gone\\KVE.EXE" + std::string(kMissingSuffix)}, "", {"record unchanged"}},
    {"DirectoryGoneUninstall", "InstallDir", REG_SZ, "<target>\\gone", 0, true, Planted::kNothing, true,
     Attempt::kUninstall, {kUninstallQuestion}, "", {"record deleted"}},
};

std::string TypeName(DWORD type) {
    switch (type) {
    case REG_SZ: return "REG_SZ";
    case REG_DWORD: return "REG_DWORD";
    case REG_BINARY: return "REG_BINARY";
    }
    return std::to_string(type);
}

std::string WitnessInside(const std::string& directory) {
    return directory + (directory.back() == '\\' ? "" : "\\") + kWitnessName;
}

// CTest names each case by what this prints.
void PrintTo(const RecordCase& row, std::ostream* out) { *out << row.name; }

class ABadRecord : public BadInputScenario, public ::testing::WithParamInterface<RecordCase> {
protected:
    void TearDown() override {
        BadInputScenario::TearDown();
        // The witness may stand outside the scratch space, at a drive's root.
        if (GetParam().planted == Planted::kFileInside) DeleteFileA(WitnessInside(Directory()).c_str());
    }

    std::string Directory() const {
        const std::string directory = Expand(GetParam().directory);
        return GetParam().length == 0 ? directory : directory + std::string(GetParam().length - directory.size(), 'D');
    }

    void Plant(const std::string& directory) const {
        switch (GetParam().planted) {
        case Planted::kNothing: break;
        case Planted::kEngine: InstallEngineInto(directory); break;
        case Planted::kEmptyDirectory: CreateDirectories(directory); break;
        case Planted::kFile: PlantFile(directory); break;
        case Planted::kFileInside: PlantFile(WitnessInside(directory)); break;
        }
    }

    std::string InputColumn(const std::string& data) const {
        std::string shown = Placed(data);
        if (!shown.empty() && shown.back() == '\0') shown.replace(shown.size() - 1, 1, "\\0");
        return std::string(GetParam().valueName) + " " + TypeName(GetParam().type) + " \"" + shown + "\" (" +
               std::to_string(data.size()) + " bytes)";
    }

    // Play ends the launcher, after the engine has started or its message has been answered.
    void Play(const Launcher& launcher) {
        launcher.Main().Click(IDC_PLAY);
        if (GetParam().engine.empty()) {
            Answer(launcher.WaitMessage(launcher.Main()));
        } else {
            const std::string module = WaitForEngine().module;
            Note("Play started " + module);
            EXPECT_EQ(module, Expand(GetParam().engine));
        }
        EXPECT_EQ(launcher.WaitForExit(), 0u);
    }

    void NoteTheButton(const Launcher& launcher) { Note("button: " + InstallButtonLabel(launcher)); }
};

TEST_P(ABadRecord, IsTheDirectoryOnlyWhenItFitsAndUninstallHarmsNothingElse) {
    const RecordCase& row = GetParam();
    const std::string directory = Directory();
    const std::string data = row.terminated ? directory + '\0' : directory;
    Plant(directory);
    SetRecord(row.valueName, row.type, data);
    row_.caseName = row.name;
    row_.input = InputColumn(data);
    NoteTheStartingState();

    const Launcher& launcher = StartLauncher();
    NoteTheButton(launcher);
    EXPECT_EQ(InstallButtonLabel(launcher), row.installed ? kUninstallLabel : kInstallLabel);
    if (row.attempt == Attempt::kPlay) {
        Play(launcher);
    } else {
        Uninstall(launcher, row.shown.size() - 1);
        NoteTheButton(launcher);
        ExitLauncher(launcher);
    }

    const OwnPlace dataPlace{"<data>", directory};
    EXPECT_EQ(AnsweredTexts(), Expand(row.shown, dataPlace));
    EXPECT_EQ(MeasureWhatWasLeft(), Expand(row.left, dataPlace));
    if (!row.witness.empty()) NoteKept(Expand({row.witness}, dataPlace).front());
}

INSTANTIATE_TEST_SUITE_P(BadInput, ABadRecord, ::testing::ValuesIn(kRecordCases));

}  // namespace
