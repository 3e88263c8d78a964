// Bad directories typed into the installer as a player would: Install, the
// text into the edit, start, every question answered Yes and every report OK,
// then stop and Exit. A path the installer accepts is installed for real and
// uninstalled again. Every row ends in one of the installer's messages, leaves
// the demo folder as it was and nothing on disk but what the messages account
// for: parents made on the way stay when the directory itself can't be made.
#include <gtest/gtest.h>

#include "bad_input_scenario.h"
#include "launcher_texts.h"
#include "resource_ids.h"
#include "waiting.h"

namespace {

using namespace installer_texts;
using Lines = std::vector<std::string>;

struct TypedPath {
    const char* name;
    std::string typed;        // places in angle brackets
    size_t length;            // padded with 'D' to this many bytes; 0 leaves it as it is
    Lines shown;              // "<typed>" stands for the whole typed text
    Lines left;
    const char* fileInTarget = nullptr;  // planted before the start
};

// Installed and uninstalled again.
Lines InstalledInto(const std::string& directory) { return {Question(directory), kCopyFinished, kUninstallQuestion}; }
// Asked, then refused when the directory itself is made.
Lines AskedThen(const char* refusal) { return {Question("<typed>"), refusal}; }

const TypedPath kTypedPaths[] = {
    {"Empty", "", 0, {kNoDirectory}, {}},
    // The full path of nothing but spaces can't be had.
    {"SpacesOnly", "   ", 0, {kCannotCreate}, {}},
    // The demo folder is the current directory on its drive.
    {"BareDrive", "C:", 0, {Question("<demo>"), kAlreadyExists}, {}},
    {"DriveRoot", "C:\\", 0, AskedThen(kAlreadyExists), {}},
    {"RelativeName", "Q7R", 0, InstalledInto("<demo>\\Q7R"), {}},
    {"TwoLevelsUp", "..\\..", 0, {Question("<temp>"), kAlreadyExists}, {}},
    {"NetworkShare", "\\\\server\\share\\x", 0, {kNetworkDrive}, {}},
    {"LongPathPrefix", "\\\\?\\C:\\x", 0, {kNetworkDrive}, {}},
    {"DevicePathPrefix", "\\\\.\\C:\\x", 0, {kNetworkDrive}, {}},
    {"MissingDrive", "<nodrive>\\Q7R", 0, {kBadDrive}, {}},
    {"DigitForDriveLetter", "1:\\x", 0, {kBadDrive}, {}},
    // A device name's full path is "\\.\CON": it is refused before anything is made.
    {"ReservedCon", "<target>\\new\\CON", 0, {kNetworkDrive}, {}},
    {"ReservedNul", "<target>\\new\\NUL", 0, {kNetworkDrive}, {}},
    {"ReservedCom1", "<target>\\new\\COM1", 0, {kNetworkDrive}, {}},
    {"ReservedAuxWithExtension", "<target>\\new\\aux.txt", 0, {kNetworkDrive}, {}},
    {"LessThan", "<target>\\kept\\a<b", 0, AskedThen(kCannotCreate), {"<target>\\kept\\"}},
    {"GreaterThan", "<target>\\kept\\a>b", 0, AskedThen(kCannotCreate), {"<target>\\kept\\"}},
    {"Bar", "<target>\\kept\\a|b", 0, AskedThen(kCannotCreate), {"<target>\\kept\\"}},
    {"DoubleQuote", "<target>\\kept\\a\"b", 0, AskedThen(kCannotCreate), {"<target>\\kept\\"}},
    {"QuestionMark", "<target>\\kept\\a?b", 0, AskedThen(kCannotCreate), {"<target>\\kept\\"}},
    {"Asterisk", "<target>\\kept\\a*b", 0, AskedThen(kCannotCreate), {"<target>\\kept\\"}},
    // Windows drops a trailing dot or space from a path's last name.
    {"TrailingDot", "<target>\\Q7R.", 0, InstalledInto("<target>\\Q7R"), {}},
    {"TrailingSpace", "<target>\\Q7R ", 0, InstalledInto("<target>\\Q7R"), {}},
    // The directory is made, but no file path inside it fits: the failed copy takes it away again.
    {"Typed258Bytes", "<target>\\", 258, AskedThen(kCopyFailed), {}},
    {"Typed259Bytes", "<target>\\", 259, AskedThen(kCopyFailed), {}},
    {"Typed260Bytes", "<target>\\", 260, {kCannotCreate}, {}},
    {"Typed300Bytes", "<target>\\", 300, {kCannotCreate}, {}},
    // ソ 表 能 end in the byte of a backslash (83 5C, 95 5C, 94 5C).
    {"ShiftJisNamesEndingIn5C", "<target>\\ソ\\表\\能", 0, InstalledInto("<typed>"),
     {"<target>\\ソ\\", "<target>\\ソ\\表\\"}},
    {"ShiftJisNamesHolding5C", "<target>\\ソフト\\表示\\能力", 0, InstalledInto("<typed>"),
     {"<target>\\ソフト\\", "<target>\\ソフト\\表示\\"}},
    {"ParentIsAFile", "<target>\\file.txt\\Q7R", 0, AskedThen(kCannotCreate), {}, "file.txt"},
};

// CTest names each case by what this prints.
void PrintTo(const TypedPath& row, std::ostream* out) { *out << row.name; }

class TypingABadPath : public BadInputScenario, public ::testing::WithParamInterface<TypedPath> {
protected:
    std::string TypedText() const {
        const std::string typed = Expand(GetParam().typed);
        return GetParam().length == 0 ? typed : typed + std::string(GetParam().length - typed.size(), 'D');
    }

    std::string InputColumn(const std::string& typed) const {
        const std::string quoted = "\"" + Placed(typed) + "\"";
        return GetParam().length == 0 ? quoted : quoted + " (" + std::to_string(GetParam().length) + " bytes)";
    }

    // Start, then the answers: after a refusal the selection is left with
    // stop; after a finished copy the demo is uninstalled again.
    void TryToInstall(const Launcher& launcher, const std::string& typed) {
        const AppWindow main = launcher.Main();
        main.Click(IDC_INSTALL);
        const AppWindow selection = launcher.WaitDialog(IDC_INSTALL_DIR_EDIT);
        selection.Type(IDC_INSTALL_DIR_EDIT, typed);
        selection.Click(IDC_START_INSTALL);
        SeenMessageBox last;
        do last = Answer(launcher.WaitAnyMessage());
        while (last.hasYes);
        if (selection.IsOpen()) selection.Click(IDC_STOP);
        if (!WaitUntil([&] { return !selection.IsOpen(); })) throw RigFailure("the selection stayed open");
        if (last.text == kCopyFinished) {
            if (!WaitUntil([&] { return InstallButtonLabel(launcher) == kUninstallLabel; }))
                throw RigFailure("the button does not offer uninstall after the install");
            Uninstall(launcher);
        }
        EXPECT_EQ(InstallButtonLabel(launcher), kInstallLabel);
    }
};

TEST_P(TypingABadPath, EndsInAnInstallerMessageAndLeavesOnlyWhatItSays) {
    const TypedPath& row = GetParam();
    if (row.fileInTarget != nullptr) PlantFile(Target() + "\\" + row.fileInTarget);
    const std::string typed = TypedText();
    row_.caseName = row.name;
    row_.input = InputColumn(typed);
    NoteTheStartingState();

    const Launcher& launcher = StartLauncher();
    TryToInstall(launcher, typed);
    ExitLauncher(launcher);

    EXPECT_EQ(AnsweredTexts(), Expand(row.shown, {"<typed>", typed}));
    EXPECT_EQ(MeasureWhatWasLeft(), Expand(row.left));
}

INSTANTIATE_TEST_SUITE_P(BadInput, TypingABadPath, ::testing::ValuesIn(kTypedPaths));

}  // namespace
